#include "platform/win32/win32_surface.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "platform/win32/fonts.h"
#include "platform/win32/text.h"

namespace capture::win32 {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

int Round(float v) {
  return static_cast<int>(std::lround(v));
}

COLORREF Ref(Colour colour) {
  return static_cast<COLORREF>(colour) & kRgbMask;
}

}  // namespace

HFONT Win32Surface::CurrentFont() const {
  // Made on first use: the first font starts Wine's font system, which would otherwise cost
  // start-up about 13 ms before the frozen screen can show.
  if (!font_) font_ = MakeFont(kUiFace, font_points_, font_dpi_);
  return font_.get();
}

void Win32Surface::Resize(int width, int height) {
  background_ = Dib(width, height);
  retained_ = Dib(width, height);
  window_ = Dib(width, height);
  if (width > 0 && height > 0 && !(background_.valid() && retained_.valid() && window_.valid())) {
    // Nothing half-made stays: the surface is empty, and the caller hears why.
    background_ = Dib();
    retained_ = Dib();
    window_ = Dib();
    throw std::bad_alloc();
  }
  background_changes_ = background_.Area();
  retained_changes_.Clear();
  window_changes_.Clear();
  screen_changes_.Clear();
  screen_changes_.Add(window_.Area());
}

void Win32Surface::SetPicture(const Picture& picture) {
  if (picture.width != background_.width() || picture.height != background_.height()) {
    Resize(picture.width, picture.height);
  }
  if (!background_.valid() || !retained_.valid() || !window_.valid()) return;
  ::GdiFlush();
  const PixelView view = PixelView::Of(picture);
  PastePixels(view, background_, 0, 0);
  PastePixels(view, retained_, 0, 0);
  PastePixels(view, window_, 0, 0);
  background_changes_ = background_.Area();
  retained_changes_.Clear();
  window_changes_.Clear();
  screen_changes_.Clear();
  screen_changes_.Add(window_.Area());
}

void Win32Surface::Paste(const Picture& picture, int x, int y) {
  if (background_.width() == 0) Resize(picture.width, picture.height);
  if (!window_.valid()) return;
  const RectI touched = Intersect({x, y, x + picture.width, y + picture.height}, window_.Area());
  if (touched.Empty()) return;
  ::GdiFlush();
  const PixelView view = PixelView::Of(picture);
  if (persistent_) {
    PastePixels(view, retained_, x, y);
    retained_changes_.Add(touched);
  } else {
    window_changes_.Add(touched);
  }
  PastePixels(view, window_, x, y);
  screen_changes_.Add(touched);
}

PixelView Win32Surface::Background() const {
  ::GdiFlush();
  return background_.View();
}

Picture Win32Surface::Copy(const RectI& rect) const {
  Picture out(std::max(0, rect.right - rect.left), std::max(0, rect.bottom - rect.top));
  const RectI inside = Intersect(rect, retained_.Area());
  if (inside.Empty() || !retained_.valid()) return out;
  ::GdiFlush();
  for (int y = inside.top; y < inside.bottom; ++y) {
    const std::uint32_t* from = retained_.Row(y);
    for (int x = inside.left; x < inside.right; ++x) {
      out.at(x - rect.left, y - rect.top) = from[x] & kRgbMask;
    }
  }
  return out;
}

void Win32Surface::Commit() {
  ::GdiFlush();
  for (const RectI& r : retained_changes_.Rects()) CopyArea(retained_, background_, r);
  background_changes_ = Union(background_changes_, retained_changes_.Bounds());
  retained_changes_.Clear();
}

RectI Win32Surface::TakeBackgroundChanges() {
  return std::exchange(background_changes_, RectI{});
}

void Win32Surface::Clear() {
  ::GdiFlush();
  if (persistent_) {
    for (const RectI& r : retained_changes_.Rects()) CopyArea(background_, retained_, r);
    window_changes_.Add(retained_changes_);
    retained_changes_.Clear();
  }
  for (const RectI& r : window_changes_.Rects()) CopyArea(retained_, window_, r);
  screen_changes_.Add(window_changes_);
  window_changes_.Clear();
}

template <typename Draw>
void Win32Surface::Drawn(const RectI& touched, Draw&& draw) {
  const RectI area = Intersect(touched, window_.Area());
  if (area.Empty() || !window_.valid()) return;
  if (persistent_) {
    draw(retained_.dc());
    retained_changes_.Add(area);
  } else {
    window_changes_.Add(area);
  }
  draw(window_.dc());
  screen_changes_.Add(area);
}

void Win32Surface::LineInt(int x1, int y1, int x2, int y2, Colour colour) {
  const RectI touched{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1,
                      std::max(y1, y2) + 1};
  Drawn(touched, [&](HDC dc) {
    Pen pen(::CreatePen(PS_SOLID, 1, Ref(colour)));
    if (!pen) return;
    SelectedObject selected(dc, pen.get());
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
    // LineTo leaves out the last pixel; the line includes both of its ends.
    ::SetPixelV(dc, x2, y2, Ref(colour));
  });
}

void Win32Surface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  LineInt(Round(x1), Round(y1), Round(x2), Round(y2), colour);
}

void Win32Surface::Box(float x1, float y1, float x2, float y2, Colour colour) {
  // Four lines, so that each edge is recorded by itself: a large outline costs its edges only.
  const int l = Round(x1), t = Round(y1), r = Round(x2), b = Round(y2);
  LineInt(l, t, r, t, colour);
  LineInt(r, t, r, b, colour);
  LineInt(r, b, l, b, colour);
  LineInt(l, b, l, t, colour);
}

void Win32Surface::Ellipse(int left, int top, int right, int bottom, Colour colour) {
  auto draw = [&](HDC dc) {
    Pen pen(::CreatePen(PS_SOLID, 1, Ref(colour)));
    if (!pen) return;
    SelectedObject selected_pen(dc, pen.get());
    SelectedObject selected_brush(dc, ::GetStockObject(HOLLOW_BRUSH));
    ::Ellipse(dc, left, top, right, bottom);
  };
  const RectI whole = Intersect(
      {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)},
      window_.Area());
  if (whole.Empty() || !window_.valid()) return;
  if (persistent_) draw(retained_.dc());
  draw(window_.dc());
  for (const RectI& area : EllipseOutlineAreas(left, top, right, bottom)) {
    const RectI a = Intersect(area, whole);
    (persistent_ ? retained_changes_ : window_changes_).Add(a);
    screen_changes_.Add(a);
  }
}

void Win32Surface::SetFontSize(float points, int dpi) {
  if (points == font_points_ && dpi == font_dpi_ && font_) return;
  Font font = MakeFont(kUiFace, points, dpi);
  if (!font) return;
  font_ = std::move(font);
  font_points_ = points;
  font_dpi_ = dpi;
}

void Win32Surface::Text(int x, int y, std::u16string_view text, Colour colour) {
  if (text.empty()) return;
  const std::wstring wide = Wide(text);
  SIZE extent{};
  {
    SelectedObject selected(window_.dc(), CurrentFont());
    ::GetTextExtentPoint32W(window_.dc(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  }
  // Glyphs may overhang their advance a little (italic-like strokes, antialiasing fringes).
  const int slack = std::max(2, static_cast<int>(extent.cy / 4));
  const RectI touched{x - slack, y - slack, x + extent.cx + slack, y + extent.cy + slack};
  Drawn(touched, [&](HDC dc) {
    SelectedObject selected(dc, CurrentFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Ref(colour));
    ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
  });
}

float Win32Surface::TextWidth(std::u16string_view text) const {
  const std::wstring wide = Wide(text);
  CreatedDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return 0;
  SelectedObject selected(dc.get(), CurrentFont());
  SIZE extent{};
  ::GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  return static_cast<float>(extent.cx);
}

Colour Win32Surface::Pixel(int x, int y) const {
  const Dib& layer = persistent_ ? retained_ : window_;
  if (!layer.valid() || x < 0 || y < 0 || x >= layer.width() || y >= layer.height()) return -1;
  ::GdiFlush();
  return ColourOf(layer.Row(y)[x] & kRgbMask);
}

DirtyRects Win32Surface::TakeScreenChanges() {
  DirtyRects changes = std::move(screen_changes_);
  screen_changes_.Clear();
  return changes;
}

}  // namespace capture::win32
