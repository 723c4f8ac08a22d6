#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "platform/pixels.h"

namespace capture::fake {

bool FakeSurface::Freeze(Screen& screen) {
  if (Size() != SizeI{}) return false;
  Picture grabbed = screen.Grab();
  if (grabbed.width <= 0 || grabbed.height <= 0) return false;
  frozen_ = std::move(grabbed);
  FakeSurface::SetPicture(frozen_);
  return true;
}

void FakeSurface::FrozenShownIn(const RectI& area) {
  const RectI inside = Intersect(area, {0, 0, frozen_.width, frozen_.height});
  for (int y = inside.top; y < inside.bottom; ++y) {
    for (int x = inside.left; x < inside.right; ++x) {
      if (Persistent()) retained_.at(x, y) = frozen_.at(x, y);
      window_.at(x, y) = frozen_.at(x, y);
    }
  }
  if (!inside.Empty()) {
    restored_pixels +=
        static_cast<long long>(inside.right - inside.left) * (inside.bottom - inside.top);
  }
}

void FakeSurface::SetPicture(const Picture& picture) {
  StopClipping();
  background_changes_ = {0, 0, picture.width, picture.height};
  background_ = picture;
  retained_ = picture;
  window_ = picture;
}

void FakeSurface::Paste(const Picture& picture, int x, int y) {
  if (background_.width == 0) {
    background_changes_ = {0, 0, picture.width, picture.height};
    background_ = Picture(picture.width, picture.height);
    retained_ = background_;
    window_ = background_;
  }
  const RectI r = Drawable({x, y, x + picture.width, y + picture.height});
  const RectI from{r.left - x, r.top - y, r.right - x, r.bottom - y};
  CopyPixels(PixelView::Of(picture), from, PixelTarget::Of(window_), {r.left, r.top});
  if (Persistent()) {
    CopyPixels(PixelView::Of(picture), from, PixelTarget::Of(retained_), {r.left, r.top});
  }
}

PixelView FakeSurface::Background() const {
  if (failing_background_reads > 0) {
    --failing_background_reads;
    throw std::bad_alloc();
  }
  return PixelView::Of(background_);
}

Picture FakeSurface::Copy(const RectI& r) const {
  if (failing_copies > 0) {
    --failing_copies;
    throw std::bad_alloc();
  }
  return CropPixels(PixelView::Of(retained_), r);
}

void FakeSurface::RetainedKept() {
  // The exact bounds of the pixels that differ.
  RectI changed{background_.width, background_.height, 0, 0};
  const std::size_t row_bytes = static_cast<std::size_t>(background_.width) * 4;
  for (int y = 0; y < background_.height; ++y) {
    const PixelView before = PixelView::Of(background_), after = PixelView::Of(retained_);
    if (std::memcmp(before.Row(y), after.Row(y), row_bytes) == 0) continue;
    for (int x = 0; x < background_.width; ++x) {
      if (background_.at(x, y) == retained_.at(x, y)) continue;
      changed = {std::min(changed.left, x), std::min(changed.top, y),
                 std::max(changed.right, x + 1), std::max(changed.bottom, y + 1)};
    }
  }
  background_changes_ = Union(background_changes_, changed);
  background_ = retained_;
  ++commits;
}

RectI FakeSurface::TakeBackgroundChanges() {
  return std::exchange(background_changes_, RectI{});
}

void FakeSurface::Plot(int x, int y, Colour colour) {
  if (!DrawableAt(x, y)) return;
  if (Persistent()) retained_.at(x, y) = PixelOf(colour);
  window_.at(x, y) = PixelOf(colour);
}

void FakeSurface::DrawLine(int x1, int y1, int x2, int y2, Colour colour) {
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Plot(x1, y1, colour);
    if (x1 == x2 && y1 == y2) return;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x1 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y1 += sy;
    }
  }
}

void FakeSurface::FillSpans(std::span<const Span> spans, Colour colour) {
  FailIfAsked();
  for (const Span& span : spans) {
    for (int x = span.left; x < span.right; ++x) Plot(x, span.y, colour);
    span_pixels += std::max(0, span.right - span.left);
  }
}

void FakeSurface::MultiplySpans(std::span<const Span> spans, Colour tint) {
  FailIfAsked();
  Picture& target = Persistent() ? retained_ : window_;
  for (const Span& span : spans) {
    if (span.y < 0 || span.y >= target.height) continue;
    for (int x = std::max(0, span.left); x < std::min(span.right, target.width); ++x) {
      if (!DrawableAt(x, span.y)) continue;
      const std::uint32_t tinted = MultiplyPixel(target.at(x, span.y), PixelOf(tint));
      target.at(x, span.y) = tinted;
      window_.at(x, span.y) = tinted;
    }
    span_pixels += std::max(0, span.right - span.left);
  }
}

void FakeSurface::FailIfAsked() {
  if (failing_draws <= 0) return;
  --failing_draws;
  throw std::bad_alloc();
}

void FakeSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  FailIfAsked();
  DrawLine(Round(x1), Round(y1), Round(x2), Round(y2), colour);
}

void FakeSurface::Box(float x1, float y1, float x2, float y2, Colour colour) {
  Line(x1, y1, x2, y1, colour);
  Line(x2, y1, x2, y2, colour);
  Line(x2, y2, x1, y2, colour);
  Line(x1, y2, x1, y1, colour);
}

void FakeSurface::Ellipse(int left, int top, int right, int bottom, Colour colour) {
  FailIfAsked();
  // Inscribed in [left, right) x [top, bottom), like GDI.
  const double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
  const double rx = std::abs(right - left - 1) / 2.0, ry = std::abs(bottom - top - 1) / 2.0;
  const int steps = 8 * static_cast<int>(rx + ry + 1);
  for (int i = 0; i < steps; ++i) {
    const double a = 2 * 3.14159265358979 * i / steps;
    Plot(static_cast<int>(std::lround(cx + rx * std::cos(a))),
         static_cast<int>(std::lround(cy + ry * std::sin(a))), colour);
  }
}

void FakeSurface::Text(int x, int y, std::u16string_view text, Colour colour) {
  FailIfAsked();
  text_calls.push_back({x, y, std::u16string(text), colour, font_points_, font_dpi_});
  // Each character is drawn as a solid block one font height tall.
  const int width = static_cast<int>(TextWidth(text));
  const int height =
      static_cast<int>(std::lround(font_points_ * static_cast<float>(font_dpi_) / 72));
  for (int py = 0; py < height; ++py) {
    for (int px = 0; px < width; ++px) Plot(x + px, y + py, colour);
  }
}

void FakeSurface::TextCentredOn(float x, float y, std::u16string_view text, Colour colour) {
  // The fake's text is a block one font height tall: its middle is the digits' middle.
  const float height = std::round(font_points_ * static_cast<float>(font_dpi_) / 72);
  Text(Round(x - TextWidth(text) / 2), Round(y - height / 2), text, colour);
}

float FakeSurface::TextWidth(std::u16string_view text) const {
  return static_cast<float>(text.size()) *
         std::round(font_points_ * static_cast<float>(font_dpi_) / 72 / 2);
}

Colour FakeSurface::Pixel(int x, int y) const {
  const Picture& p = Persistent() ? retained_ : window_;
  if (x < 0 || y < 0 || x >= p.width || y >= p.height) return -1;
  return ColourOf(p.at(x, y));
}

bool FakeClipboard::PutBitmap(const Picture& picture) {
  ++puts;
  last_put = {picture.width, picture.height};
  if (!put_succeeds) return false;
  ours_.reset();
  if (picture.width <= 0 || picture.height <= 0) return true;
  content = picture;
  text.reset();
  ours_ = ++changes_;
  return true;
}

bool FakeClipboard::PutText(std::u16string_view put) {
  if (!put_succeeds) return false;
  content.reset();
  text = std::u16string(put);
  ours_.reset();
  ++changes_;
  return true;
}

bool FakeClipboard::EmptyIfStillOurs() {
  if (!StillOurs()) return false;
  content.reset();
  ours_.reset();
  ++changes_;
  ++empties;
  return true;
}

void FakeClipboard::PutFromElsewhere(std::optional<Picture> other) {
  content = std::move(other);
  ++changes_;
}

std::optional<std::u16string> FakeDialogs::AskSavePath(const SaveDialogRequest& request) {
  save_requests.push_back(request);
  if (on_save_dialog) on_save_dialog();
  return save_answer;
}

void FakeDialogs::ShowMessage(const std::u16string& title, const std::u16string& text) {
  messages.push_back({title, text});
  if (on_message) on_message();
}

void FakeWindow::PumpEvents() {
  ++pumps;
  if (on_pump) on_pump();
}

Picture PhotographicPicture(int width, int height, int grain) {
  Picture p(width, height);
  const Picture noise = NoisePicture(width, height, 7);
  const auto mask = static_cast<std::uint32_t>(2 * grain + 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double u = x / double(width), v = y / double(height);
      const int n = static_cast<int>(noise.at(x, y) & mask) - grain;
      const auto channel = [n](double value) {
        return static_cast<std::uint32_t>(std::clamp(static_cast<int>(value) + n, 0, 255));
      };
      p.at(x, y) = channel(128 + 110 * std::sin(6 * u + 2 * v)) << 16 |
                   channel(40 + 200 * v * v) << 8 | channel(128 + 100 * std::cos(5 * v - 3 * u));
    }
  }
  return p;
}

Picture DesktopPicture(int width, int height) {
  Picture p(width, height, 0x1E3A5F);
  const Picture noise = NoisePicture(width, height, 3);
  for (int w = 0; w < 6; ++w) {
    const int left = width / 32 + w * width / 7, top = height / 27 + w * height / 9;
    const int right = std::min(width, left + width / 2);
    const int bottom = std::min(height, top + height / 2);
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        std::uint32_t c = y < top + 30 ? 0xDDE6F0u : 0xFFFFFFu;
        const bool text_line = y > top + 40 && (y - top) % 18 < 11;
        if (text_line && (noise.at(x, y) & 3) == 0)
          c = 0x202020u + (noise.at(x, y) >> 8 & 0x3F3F3Fu);
        p.at(x, y) = c;
      }
    }
  }
  return p;
}

Picture NoisePicture(int width, int height, std::uint32_t seed) {
  Picture p(width, height);
  std::uint32_t state = seed * 2654435761u + 1;
  for (auto& px : p.pixels) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    px = state & 0xFFFFFFu;
  }
  return p;
}

long long TotalArea(const std::vector<RectI>& areas) {
  long long total = 0;
  for (const RectI& r : areas) {
    if (!r.Empty()) total += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
  }
  return total;
}

}  // namespace capture::fake
