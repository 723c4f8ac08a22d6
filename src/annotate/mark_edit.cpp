#include "annotate/mark_edit.h"

#include <algorithm>
#include <cmath>

#include "annotate/step_disc.h"
#include "annotate/stroke_geometry.h"
#include "form/controls.h"
#include "platform/surface.h"

namespace capture {
namespace {

// A stroke is taken this far beyond its edge.
constexpr float kStrokeReach = 2;
// A text's line is this many times its font's em high.
constexpr float kTextLine = 1.25f;

float Length(float dx, float dy) {
  return std::sqrt(dx * dx + dy * dy);
}

float DistanceToSegment(PointF p, PointF a, PointF b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float squared = dx * dx + dy * dy;
  float t = 0;
  if (squared > 0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / squared, 0.f, 1.f);
  return Length(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

PointF PointAt(const Mark& mark, std::size_t i) {
  return i < mark.points.size() ? mark.points[i] : PointF{};
}

float DistanceToOutline(const BoxF& box, PointF p) {
  const float outside_x = std::max({box.left - p.x, 0.f, p.x - box.right});
  const float outside_y = std::max({box.top - p.y, 0.f, p.y - box.bottom});
  if (outside_x > 0 || outside_y > 0) return Length(outside_x, outside_y);
  return std::min({p.x - box.left, box.right - p.x, p.y - box.top, box.bottom - p.y});
}

// Along the ray from the centre through the point: how far the point is from the ellipse.
float DistanceToEllipse(const BoxF& box, PointF p) {
  const float a = (box.right - box.left) / 2, b = (box.bottom - box.top) / 2;
  const float cx = box.left + a, cy = box.top + b;
  if (a < 1 || b < 1) return DistanceToOutline(box, p);  // a line: its box is the line
  const float dx = p.x - cx, dy = p.y - cy;
  const float r = Length(dx / a, dy / b);
  if (r == 0) return std::min(a, b);
  return std::abs(1 - 1 / r) * Length(dx, dy);
}

float DistanceToStroke(const Mark& mark, PointF p) {
  if (mark.points.empty()) return INFINITY;
  if (mark.straight) return DistanceToSegment(p, mark.points.front(), mark.points.back());
  float nearest = DistanceToSegment(p, mark.points[0], mark.points[0]);
  for (std::size_t i = 1; i < mark.points.size(); ++i) {
    nearest = std::min(nearest, DistanceToSegment(p, mark.points[i - 1], mark.points[i]));
  }
  return nearest;
}

bool Inside(const RectI& r, PointF p) {
  return static_cast<float>(r.left) <= p.x && p.x < static_cast<float>(r.right) &&
         static_cast<float>(r.top) <= p.y && p.y < static_cast<float>(r.bottom);
}

bool Takes(const Mark& mark, PointF p, float reach, Surface& surface) {
  switch (mark.kind) {
    case MarkKind::Rectangle:
      return DistanceToOutline(MarkBox(mark), p) <= reach;
    case MarkKind::Ellipse:
      return DistanceToEllipse(MarkBox(mark), p) <= reach;
    case MarkKind::Arrow:
      return DistanceToSegment(p, PointAt(mark, 0), PointAt(mark, 1)) <= reach;
    case MarkKind::Pen:
    case MarkKind::Highlighter:
      return DistanceToStroke(mark, p) <= mark.size / 2 + kStrokeReach;
    case MarkKind::Mosaic:
      return Inside(Intersect(mark.area, mark.clip), p);
    case MarkKind::Step: {
      const StepPlace disc = PlaceStep(mark.clip, PointAt(mark, 0), mark.size);
      return disc.across > 0 && Length(p.x - disc.x, p.y - disc.y) <= disc.across / 2;
    }
    case MarkKind::Text: {
      if (mark.text.empty()) return false;
      surface.SetFontSize(mark.size, mark.dpi);
      const PointF at = PointAt(mark, 0);
      const float height = mark.size * static_cast<float>(mark.dpi) / 72 * kTextLine;
      return at.x <= p.x && p.x < at.x + surface.TextWidth(mark.text) && at.y <= p.y &&
             p.y < at.y + height;
    }
  }
  return false;
}

RectI PictureRect(SizeI picture) {
  return {0, 0, picture.width, picture.height};
}

RectI Offset(const RectI& r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The whole-pixel move nearest `by` that keeps [low, high] inside [0, size].
int KeptMove(float by, float low, float high, int size) {
  const float least = std::ceil(-low), most = std::floor(static_cast<float>(size) - high);
  if (most < least) return 0;
  return static_cast<int>(std::clamp(static_cast<float>(Round(by)), least, most));
}

// A copy to change: no serial yet, no pixels kept from where it was.
Mark Edited(const Mark& mark) {
  Mark edited = mark;
  edited.serial = 0;
  edited.rendered.reset();
  return edited;
}

// The new box when the handle is dragged to `to`, its sides in order.
BoxF DraggedBox(BoxF box, int handle, PointF to) {
  switch (static_cast<Handle>(handle)) {
    case Handle::TopLeft:
      box.left = to.x, box.top = to.y;
      break;
    case Handle::Top:
      box.top = to.y;
      break;
    case Handle::TopRight:
      box.right = to.x, box.top = to.y;
      break;
    case Handle::Left:
      box.left = to.x;
      break;
    case Handle::BottomLeft:
      box.left = to.x, box.bottom = to.y;
      break;
    case Handle::Bottom:
      box.bottom = to.y;
      break;
    case Handle::BottomRight:
      box.right = to.x, box.bottom = to.y;
      break;
    case Handle::Right:
      box.right = to.x;
      break;
  }
  if (box.right < box.left) std::swap(box.left, box.right);
  if (box.bottom < box.top) std::swap(box.top, box.bottom);
  return box;
}

// The corner opposite a corner handle; nothing for an edge's handle.
std::optional<PointF> OppositeCorner(const BoxF& box, int handle) {
  switch (static_cast<Handle>(handle)) {
    case Handle::TopLeft:
      return PointF{box.right, box.bottom};
    case Handle::TopRight:
      return PointF{box.left, box.bottom};
    case Handle::BottomLeft:
      return PointF{box.right, box.top};
    case Handle::BottomRight:
      return PointF{box.left, box.top};
    default:
      return std::nullopt;
  }
}

// A coordinate of the old box at the same share of the new one.
float Stretched(float v, float low, float high, float new_low, float new_high) {
  if (high <= low) return (new_low + new_high) / 2;
  return new_low + (v - low) * (new_high - new_low) / (high - low);
}

RectI Covering(const BoxF& box, float margin) {
  return {static_cast<int>(std::floor(box.left - margin)),
          static_cast<int>(std::floor(box.top - margin)),
          static_cast<int>(std::ceil(box.right + margin)),
          static_cast<int>(std::ceil(box.bottom + margin))};
}

}  // namespace

float GrabReach(int dpi) {
  return 4 * static_cast<float>(dpi) / 96;
}

std::optional<std::size_t> MarkAt(const Document& document, PointF at, int dpi, Surface& surface) {
  const float reach = GrabReach(dpi);
  for (std::size_t i = document.marks.size(); i-- > 0;) {
    if (Takes(*document.marks[i], at, reach, surface)) return i;
  }
  return std::nullopt;
}

BoxF MarkBox(const Mark& mark) {
  if (mark.kind == MarkKind::Mosaic) {
    return {static_cast<float>(mark.area.left), static_cast<float>(mark.area.top),
            static_cast<float>(mark.area.right), static_cast<float>(mark.area.bottom)};
  }
  if (mark.points.empty()) return {};
  BoxF box{mark.points[0].x, mark.points[0].y, mark.points[0].x, mark.points[0].y};
  for (const PointF& p : mark.points) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  }
  return box;
}

std::vector<PointF> MarkHandles(const Mark& mark) {
  switch (mark.kind) {
    case MarkKind::Arrow:
      return {PointAt(mark, 0), PointAt(mark, 1)};
    case MarkKind::Text:
    case MarkKind::Step:
      return {};
    default:
      break;
  }
  const BoxF b = MarkBox(mark);
  const float mx = (b.left + b.right) / 2, my = (b.top + b.bottom) / 2;
  return {{b.left, b.top},    {mx, b.top},    {b.right, b.top},    {b.left, my},
          {b.left, b.bottom}, {mx, b.bottom}, {b.right, b.bottom}, {b.right, my}};
}

std::optional<int> MarkHandleAt(const Mark& mark, PointF at, int dpi) {
  const std::vector<PointF> handles = MarkHandles(mark);
  const float reach = GrabReach(dpi);
  // The nearest: a flat box's handles stand close together.
  std::optional<int> nearest;
  float best = reach;
  for (std::size_t i = 0; i < handles.size(); ++i) {
    const float d = std::max(std::abs(at.x - handles[i].x), std::abs(at.y - handles[i].y));
    if (d <= best) {
      best = d;
      nearest = static_cast<int>(i);
    }
  }
  return nearest;
}

Mark Moved(const Mark& mark, PointF by, SizeI picture) {
  const BoxF box = MarkBox(mark);
  const int dx = KeptMove(by.x, box.left, box.right, picture.width);
  const int dy = KeptMove(by.y, box.top, box.bottom, picture.height);
  Mark moved = Edited(mark);
  for (PointF& p : moved.points) {
    p.x += static_cast<float>(dx);
    p.y += static_cast<float>(dy);
  }
  moved.area = Offset(mark.area, dx, dy);
  moved.clip = Intersect(Offset(mark.clip, dx, dy), PictureRect(picture));
  return moved;
}

Mark Resized(const Mark& mark, int handle, PointF to, bool shift, SizeI picture) {
  const auto w = static_cast<float>(picture.width), h = static_cast<float>(picture.height);
  to = {std::clamp(to.x, 0.f, w), std::clamp(to.y, 0.f, h)};
  Mark resized = Edited(mark);
  if (mark.kind == MarkKind::Arrow) {
    if ((handle != 0 && handle != 1) || mark.points.size() < 2) return resized;
    const PointF other = mark.points[handle == 0 ? 1 : 0];
    if (shift) to = SnappedEnd(other, to, {0, 0}, {w, h});
    resized.points[static_cast<std::size_t>(handle)] = to;
    return resized;
  }
  if (handle < 0 || handle >= kHandles || MarkHandles(mark).empty()) return resized;
  const BoxF box = MarkBox(mark);
  const bool keeps_square = mark.kind == MarkKind::Rectangle || mark.kind == MarkKind::Ellipse;
  if (shift && keeps_square) {
    if (const std::optional<PointF> anchor = OppositeCorner(box, handle)) {
      const PointF square = SquareEnd(*anchor, to);
      to = {std::clamp(square.x, 0.f, w), std::clamp(square.y, 0.f, h)};
    }
  }
  const BoxF next = DraggedBox(box, handle, to);
  switch (mark.kind) {
    case MarkKind::Mosaic:
      resized.area = {Round(next.left), Round(next.top), Round(next.right), Round(next.bottom)};
      resized.clip = Intersect(Union(mark.clip, resized.area), PictureRect(picture));
      return resized;
    case MarkKind::Pen:
    case MarkKind::Highlighter:
      for (PointF& p : resized.points) {
        p = {Stretched(p.x, box.left, box.right, next.left, next.right),
             Stretched(p.y, box.top, box.bottom, next.top, next.bottom)};
      }
      resized.clip =
          Intersect(Union(mark.clip, Covering(next, mark.size / 2 + 1)), PictureRect(picture));
      return resized;
    default:
      break;
  }
  // A rectangle or an ellipse keeps which of its two points is which.
  PointF& a = resized.points[0];
  PointF& b = resized.points[1];
  const bool a_left = a.x <= b.x, a_top = a.y <= b.y;
  a.x = a_left ? next.left : next.right;
  b.x = a_left ? next.right : next.left;
  a.y = a_top ? next.top : next.bottom;
  b.y = a_top ? next.bottom : next.top;
  return resized;
}

std::optional<Mark> Restyled(const Mark& mark, const MarkStyle& style) {
  Mark restyled = Edited(mark);
  switch (mark.kind) {
    case MarkKind::Mosaic:
      restyled.mosaic = style.mosaic;
      break;
    case MarkKind::Pen:
    case MarkKind::Highlighter:
    case MarkKind::Step:
    case MarkKind::Text:
      restyled.size = style.size;
      restyled.colour = style.colour;
      break;
    default:
      restyled.colour = style.colour;
      break;
  }
  const bool same = restyled.colour == mark.colour && restyled.size == mark.size &&
                    restyled.mosaic.kind == mark.mosaic.kind &&
                    restyled.mosaic.cell == mark.mosaic.cell &&
                    restyled.mosaic.blur_box == mark.mosaic.blur_box;
  if (same) return std::nullopt;
  return restyled;
}

}  // namespace capture
