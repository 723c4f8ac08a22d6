#include "annotate/mark_reach.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "annotate/step_disc.h"

namespace capture {
namespace {

// How far an arrow's wings reach from its tip: a 10-pixel head, its wings half that aside.
constexpr float kArrowReach = 12;

// Mixes a value into a key (a 64-bit multiply-rotate).
std::uint64_t Mix(std::uint64_t key, std::uint64_t value) {
  key ^= value + 0x9E3779B97F4A7C15ull + (key << 6) + (key >> 2);
  key *= 0xC2B2AE3D27D4EB4Full;
  return key ^ (key >> 29);
}

std::uint64_t MixRect(std::uint64_t key, const RectI& r) {
  for (const int v : {r.left, r.top, r.right, r.bottom})
    key = Mix(key, static_cast<std::uint32_t>(v));
  return key;
}

std::uint64_t MixFloat(std::uint64_t key, float v) {
  return Mix(key, std::bit_cast<std::uint32_t>(v));
}

// The mark's value as one number: equal marks draw the same pixels.
std::uint64_t ValueKey(const Mark& mark) {
  std::uint64_t key = Mix(0, static_cast<std::uint64_t>(mark.kind));
  for (const PointF& p : mark.points) key = MixFloat(MixFloat(key, p.x), p.y);
  key = MixRect(MixRect(key, mark.clip), mark.area);
  key = Mix(key, static_cast<std::uint64_t>(mark.colour));
  key = MixFloat(key, mark.size);
  key = Mix(key, static_cast<std::uint64_t>(mark.dpi) * 2 + (mark.straight ? 1 : 0));
  key = Mix(key, static_cast<std::uint64_t>(mark.mosaic.kind));
  key = Mix(key, static_cast<std::uint32_t>(mark.mosaic.cell));
  key = Mix(key, static_cast<std::uint32_t>(mark.mosaic.blur_box));
  for (const char16_t c : mark.text) key = Mix(key, c);
  return key;
}

// The rectangle around the points, grown by `by` on every side.
RectI AroundPoints(const std::vector<PointF>& points, float by) {
  if (points.empty()) return {};
  float left = points[0].x, top = points[0].y, right = left, bottom = top;
  for (const PointF& p : points) {
    left = std::min(left, p.x);
    top = std::min(top, p.y);
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
  }
  return {static_cast<int>(std::floor(left - by)), static_cast<int>(std::floor(top - by)),
          static_cast<int>(std::ceil(right + by)) + 1,
          static_cast<int>(std::ceil(bottom + by)) + 1};
}

}  // namespace

RectI Reach(const Mark& mark) {
  switch (mark.kind) {
    case MarkKind::Rectangle:
    case MarkKind::Ellipse:
      return AroundPoints(mark.points, 1);
    case MarkKind::Arrow:
      return AroundPoints(mark.points, kArrowReach);
    case MarkKind::Pen:
    case MarkKind::Highlighter:
      return Intersect(AroundPoints(mark.points, mark.size / 2 + 2), mark.clip);
    case MarkKind::Mosaic:
      return Intersect(mark.area, mark.clip);
    case MarkKind::Step:
      return StepBox(
          PlaceStep(mark.clip, mark.points.empty() ? PointF{} : mark.points[0], mark.size));
    case MarkKind::Text: {
      if (mark.points.empty() || mark.text.empty()) return {};
      // No glyph is wider than one and a half of the font's em, nor taller than two.
      const float em = mark.size * static_cast<float>(mark.dpi) / 72;
      const PointF at{std::round(mark.points[0].x), std::round(mark.points[0].y)};
      const float width = em * 1.5f * static_cast<float>(mark.text.size());
      return AroundPoints({at, {at.x + width, at.y + 2 * em}}, em / 2 + 2);
    }
  }
  return {};
}

RectI MosaicReads(const Mark& mark) {
  const int reach = 3 * std::max(0, mark.mosaic.blur_box) + 1;
  const RectI area = Intersect(mark.area, mark.clip);
  if (area.Empty()) return {};
  return Intersect({area.left - reach, area.top - reach, area.right + reach, area.bottom + reach},
                   mark.clip);
}

namespace {

// The key of a mosaic on `marks[0..place)`, given the reaches, values and keys of those below.
std::uint64_t KeyOn(const std::vector<MarkPtr>& marks, std::size_t place, const Mark& mosaic,
                    const std::vector<RectI>& reaches, const std::vector<std::uint64_t>& values,
                    const std::vector<std::uint64_t>& keys) {
  const RectI reads = MosaicReads(mosaic);
  std::uint64_t key = MixRect(Mix(1, ValueKey(mosaic)), reads);
  int steps = 0;
  for (std::size_t i = 0; i < place; ++i) {
    const Mark& below = *marks[i];
    if (below.kind == MarkKind::Step) ++steps;
    if (Intersect(reaches[i], reads).Empty()) continue;
    key = Mix(key, values[i]);
    if (below.kind == MarkKind::Step) key = Mix(key, static_cast<std::uint32_t>(steps));
    if (below.kind == MarkKind::Mosaic) key = Mix(key, keys[i]);
  }
  return key;
}

std::vector<std::uint64_t> Keys(const std::vector<MarkPtr>& marks, const Mark* on_top) {
  std::vector<RectI> reaches;
  std::vector<std::uint64_t> values, keys(marks.size() + 1, 0);
  reaches.reserve(marks.size());
  values.reserve(marks.size());
  for (const MarkPtr& mark : marks) {
    reaches.push_back(Reach(*mark));
    values.push_back(ValueKey(*mark));
  }
  for (std::size_t i = 0; i < marks.size(); ++i) {
    if (marks[i]->kind == MarkKind::Mosaic) {
      keys[i] = KeyOn(marks, i, *marks[i], reaches, values, keys);
    }
  }
  if (on_top != nullptr) keys.back() = KeyOn(marks, marks.size(), *on_top, reaches, values, keys);
  return keys;
}

}  // namespace

std::vector<std::uint64_t> UnderKeys(const std::vector<MarkPtr>& marks) {
  std::vector<std::uint64_t> keys = Keys(marks, nullptr);
  keys.pop_back();
  return keys;
}

std::uint64_t UnderKeyOnTop(const std::vector<MarkPtr>& marks, const Mark& mosaic) {
  return Keys(marks, &mosaic).back();
}

}  // namespace capture
