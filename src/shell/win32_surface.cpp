#include "shell/win32_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "shell/fonts.h"
#include "shell/text.h"
#include "shell/win32_screen.h"

namespace capture::win32 {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

// The areas a one-pixel line from (x1, y1) to (x2, y2) may touch. A slanted line is cut into
// bands along its longer axis, each as wide as the line climbs in it plus a pixel either side, so
// that a long arrow costs about its own pixels rather than its bounding box.
std::vector<RectI> LineAreas(int x1, int y1, int x2, int y2) {
  constexpr int kBand = 64;
  const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
  if (std::min(dx, dy) <= 2 || std::max(dx, dy) <= kBand) {
    return {{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1}};
  }
  const bool along_x = dx >= dy;
  int a1 = along_x ? x1 : y1, b1 = along_x ? y1 : x1;
  int a2 = along_x ? x2 : y2, b2 = along_x ? y2 : x2;
  if (a1 > a2) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  const double slope = static_cast<double>(b2 - b1) / (a2 - a1);
  std::vector<RectI> areas;
  for (int a = a1; a <= a2; a += kBand) {
    const int last = std::min(a + kBand - 1, a2);
    const double from = b1 + (a - a1) * slope, to = b1 + (last - a1) * slope;
    const int low = static_cast<int>(std::floor(std::min(from, to))) - 1;
    const int high = static_cast<int>(std::ceil(std::max(from, to))) + 2;
    areas.push_back(along_x ? RectI{a, low, last + 1, high} : RectI{low, a, high, last + 1});
  }
  return areas;
}

// Copies the area of a DIB into a picture of the DIB's size.
void PixelCopy(const Dib& from, Picture& to, const RectI& area) {
  for (int y = area.top; y < area.bottom; ++y) {
    std::copy(from.Row(y) + area.left, from.Row(y) + area.right, &to.at(area.left, y));
  }
}

// A DIB holding exactly the picture's pixels (and size).
bool SamePixels(const Dib& dib, const Picture& picture) {
  if (!dib.valid() || dib.width() != picture.width || dib.height() != picture.height) return false;
  const std::size_t row_bytes = static_cast<std::size_t>(picture.width) * 4;
  const PixelView view = PixelView::Of(picture);
  for (int y = 0; y < picture.height; ++y) {
    if (std::memcmp(dib.Row(y), view.Row(y), row_bytes) != 0) return false;
  }
  return true;
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

bool Win32Surface::Freeze(Screen& screen) {
  if (Size() != SizeI{}) return false;
  Dib grabbed;
  if (screen_ != nullptr && &screen == static_cast<const Screen*>(screen_)) {
    grabbed = screen_->GrabDib();
  } else {
    const Picture picture = screen.Grab();
    if (picture.width > 0 && picture.height > 0) {
      grabbed = Dib(picture.width, picture.height);
      if (!grabbed.valid()) throw std::bad_alloc();
      PastePixels(PixelView::Of(picture), grabbed, 0, 0);
    }
  }
  if (!grabbed.valid()) return false;
  frozen_ = std::move(grabbed);
  Reset();
  return true;
}

void Win32Surface::FreezePicture(const Picture& picture) {
  Dib made(picture.width, picture.height);
  if (!made.valid()) throw std::bad_alloc();
  PastePixels(PixelView::Of(picture), made, 0, 0);
  ::GdiFlush();
  frozen_ = std::move(made);
  layer_ = Dib();
  Reset();
}

void Win32Surface::MakeLayer() {
  if (layer_.valid()) return;
  Dib made(frozen_.width(), frozen_.height());
  if (!made.valid()) throw std::bad_alloc();
  ::GdiFlush();
  CopyArea(frozen_, made, frozen_.Area());
  layer_ = std::move(made);
}

void Win32Surface::Reset() {
  under_preview_.Forget();
  under_drawing_.Forget();
  background_copy_ = Picture();
  background_changes_ = Shown().Area();
  retained_changes_.Clear();
  window_changes_.Clear();
  screen_changes_.Clear();
  screen_changes_.Add(Shown().Area());
}

void Win32Surface::ShowFrozen(bool drawing_follows) {
  ::GdiFlush();
  if (drawing_follows && layer_.valid() && layer_.width() == frozen_.width() &&
      layer_.height() == frozen_.height()) {
    // Copied over rather than made again: a new buffer of a large screen costs more than the copy.
    CopyArea(frozen_, layer_, frozen_.Area());
  } else {
    layer_ = Dib();
  }
  Reset();
}

void Win32Surface::SetPicture(const Picture& picture) {
  ::GdiFlush();
  if (SamePixels(frozen_, picture)) {
    // Back to the frozen screen (undo to the first snapshot): the working layer is not needed.
    layer_ = Dib();
  } else {
    if (layer_.width() != picture.width || layer_.height() != picture.height) {
      Dib made(picture.width, picture.height);
      // Nothing half-made: the surface stays as it was, and the caller hears why.
      if (picture.width > 0 && picture.height > 0 && !made.valid()) throw std::bad_alloc();
      layer_ = std::move(made);
    }
    PastePixels(PixelView::Of(picture), layer_, 0, 0);
  }
  Reset();
}

void Win32Surface::Paste(const Picture& picture, int x, int y) {
  if (Size() == SizeI{}) {
    Dib made(picture.width, picture.height);
    if (picture.width > 0 && picture.height > 0 && !made.valid()) throw std::bad_alloc();
    layer_ = std::move(made);
    Reset();
  }
  if (!BeforeDrawing({x, y, x + picture.width, y + picture.height})) return;
  PastePixels(PixelView::Of(picture), layer_, x, y);
}

bool Win32Surface::BeforeDrawing(const RectI& touched) {
  const RectI area = Intersect(touched, Shown().Area());
  if (area.Empty()) return false;
  MakeLayer();
  ::GdiFlush();
  background_copy_ = Picture();
  if (persistent_) {
    under_drawing_.Keep(layer_, area);
    retained_changes_.Add(area);
  } else {
    under_preview_.Keep(layer_, area);
    window_changes_.Add(area);
  }
  screen_changes_.Add(area);
  return true;
}

PixelView Win32Surface::Background() const {
  ::GdiFlush();
  const Dib& shown = Shown();
  if (under_preview_.empty() && under_drawing_.empty()) return shown.View();
  // Asked for in the middle of a drawing: the buffer with every saved area put back, the
  // background's own last.
  if (background_copy_.width == 0) {
    Picture copy(shown.width(), shown.height());
    PixelCopy(shown, copy, shown.Area());
    under_preview_.PutBack(copy, shown.Area());
    under_drawing_.PutBack(copy, shown.Area());
    background_copy_ = std::move(copy);
  }
  return PixelView::Of(background_copy_);
}

Picture Win32Surface::Copy(const RectI& rect) const {
  Picture out;
  CopyInto(rect, out);
  return out;
}

void Win32Surface::CopyInto(const RectI& rect, Picture& to) const {
  to.Resize(std::max(0, rect.right - rect.left), std::max(0, rect.bottom - rect.top));
  const Dib& shown = Shown();
  const RectI inside = Intersect(rect, shown.Area());
  if (inside != rect) std::fill(to.pixels.begin(), to.pixels.end(), 0u);
  if (inside.Empty()) return;
  ::GdiFlush();
  const auto rgb = [](std::uint32_t pixel) { return pixel & kRgbMask; };
  for (int y = inside.top; y < inside.bottom; ++y) {
    const std::uint32_t* from = shown.Row(y);
    std::transform(from + inside.left, from + inside.right,
                   &to.at(inside.left - rect.left, y - rect.top), rgb);
  }
  if (under_preview_.empty()) return;
  under_preview_.PutBack(to, rect);  // the retained image, without the preview
  std::transform(to.pixels.begin(), to.pixels.end(), to.pixels.begin(), rgb);
}

void Win32Surface::Preview() {
  SetPersistent(false);
  Clear();
}

void Win32Surface::EndPreview() {
  SetPersistent(true);
  Clear();
}

void Win32Surface::SetPersistent(bool on) {
  if (on && !persistent_ && !under_preview_.empty()) {
    ::GdiFlush();
    under_preview_.PutBack(layer_);
    background_copy_ = Picture();
  }
  if (on && !persistent_) {
    screen_changes_.Add(window_changes_);
    window_changes_.Clear();
  }
  persistent_ = on;
}

void Win32Surface::Commit() {
  // The retained image becomes the background: what was saved of the old one is let go.
  under_drawing_.Forget();
  background_copy_ = Picture();
  background_changes_ = Union(background_changes_, retained_changes_.Bounds());
  retained_changes_.Clear();
}

RectI Win32Surface::TakeBackgroundChanges() {
  return std::exchange(background_changes_, RectI{});
}

void Win32Surface::Clear() {
  background_copy_ = Picture();
  if (layer_.valid()) {
    ::GdiFlush();
    under_preview_.PutBack(layer_);
    if (persistent_) under_drawing_.PutBack(layer_);
  }
  if (persistent_) {
    window_changes_.Add(retained_changes_);
    retained_changes_.Clear();
  }
  screen_changes_.Add(window_changes_);
  window_changes_.Clear();
}

void Win32Surface::LineInt(int x1, int y1, int x2, int y2, Colour colour) {
  bool drawn = false;
  for (const RectI& area : LineAreas(x1, y1, x2, y2)) drawn |= BeforeDrawing(area);
  if (!drawn) return;
  const HDC dc = layer_.dc();
  Pen pen(::CreatePen(PS_SOLID, 1, Ref(colour)));
  if (!pen) return;
  SelectedObject selected(dc, pen.get());
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
  // LineTo leaves out the last pixel; the line includes both of its ends.
  ::SetPixelV(dc, x2, y2, Ref(colour));
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
  const RectI whole = Intersect(
      {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)},
      Shown().Area());
  bool drawn = false;
  for (const RectI& area : EllipseOutlineAreas(left, top, right, bottom)) {
    drawn |= BeforeDrawing(Intersect(area, whole));
  }
  if (!drawn) return;
  const HDC dc = layer_.dc();
  Pen pen(::CreatePen(PS_SOLID, 1, Ref(colour)));
  if (!pen) return;
  SelectedObject selected_pen(dc, pen.get());
  SelectedObject selected_brush(dc, ::GetStockObject(HOLLOW_BRUSH));
  ::Ellipse(dc, left, top, right, bottom);
}

template <class Paint>
void Win32Surface::PaintSpans(std::span<const Span> spans, Paint paint) {
  // Consecutive spans on neighbouring rows make one area, at most a band of rows high, so that
  // a long stroke saves and repaints about its own pixels rather than its bounding box.
  constexpr int kBand = 32;
  const RectI surface = Shown().Area();
  bool any = false;
  RectI area;
  for (const Span& span : spans) {
    const RectI row = Intersect({span.left, span.y, span.right, span.y + 1}, surface);
    if (row.Empty()) continue;
    if (!area.Empty() &&
        (row.top < area.top || row.top > area.bottom || row.top - area.top >= kBand)) {
      any |= BeforeDrawing(area);
      area = {};
    }
    area = Union(area, row);
  }
  if (!area.Empty()) any |= BeforeDrawing(area);
  if (!any) return;
  for (const Span& span : spans) {
    const RectI row = Intersect({span.left, span.y, span.right, span.y + 1}, surface);
    if (!row.Empty()) paint(layer_.Row(row.top), row.left, row.right);
  }
}

void Win32Surface::FillSpans(std::span<const Span> spans, Colour colour) {
  const std::uint32_t pixel = PixelOf(colour);
  PaintSpans(spans, [pixel](std::uint32_t* row, int left, int right) {
    std::fill(row + left, row + right, pixel);
  });
}

void Win32Surface::MultiplySpans(std::span<const Span> spans, Colour tint) {
  const std::uint32_t by = PixelOf(tint);
  PaintSpans(spans, [by](std::uint32_t* row, int left, int right) {
    for (int x = left; x < right; ++x) row[x] = MultiplyPixel(row[x] & kRgbMask, by);
  });
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
  if (text.empty() || !Shown().valid()) return;
  const std::wstring wide = Wide(text);
  SIZE extent{};
  {
    SelectedObject selected(Shown().dc(), CurrentFont());
    ::GetTextExtentPoint32W(Shown().dc(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  }
  // Glyphs may overhang their advance a little (italic-like strokes, antialiasing fringes).
  const int slack = std::max(2, static_cast<int>(extent.cy / 4));
  if (!BeforeDrawing({x - slack, y - slack, x + extent.cx + slack, y + extent.cy + slack})) return;
  const HDC dc = layer_.dc();
  SelectedObject selected(dc, CurrentFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, Ref(colour));
  ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void Win32Surface::TextCentredOn(float x, float y, std::u16string_view text, Colour colour) {
  if (text.empty() || !Shown().valid()) return;
  const HDC dc = Shown().dc();
  const std::wstring wide = Wide(text);
  SIZE extent{};
  TEXTMETRICW metrics{};
  OUTLINETEXTMETRICW outline{};
  {
    SelectedObject selected(dc, CurrentFont());
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    ::GetTextMetricsW(dc, &metrics);
    outline.otmSize = sizeof outline;
    if (::GetOutlineTextMetricsW(dc, sizeof outline, &outline) == 0) outline.otmsCapEmHeight = 0;
  }
  // Digits stand on the baseline and are about as tall as the capitals; a font that does not say
  // how tall those are gets the usual seven tenths of its em.
  const LONG em = metrics.tmHeight - metrics.tmInternalLeading;
  const double digits = outline.otmsCapEmHeight > 0 ? outline.otmsCapEmHeight : 0.7 * em;
  const int left = Round(x - static_cast<float>(extent.cx) / 2);
  const int top = Round(y + static_cast<float>(digits / 2)) - metrics.tmAscent;
  Text(left, top, text, colour);
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
  const Dib& shown = Shown();
  if (!shown.valid() || x < 0 || y < 0 || x >= shown.width() || y >= shown.height()) return -1;
  ::GdiFlush();
  if (persistent_) {
    if (const std::uint32_t* kept = under_preview_.Find(x, y)) return ColourOf(*kept & kRgbMask);
  }
  return ColourOf(shown.Row(y)[x] & kRgbMask);
}

DirtyRects Win32Surface::TakeScreenChanges() {
  DirtyRects changes = std::move(screen_changes_);
  screen_changes_.Clear();
  return changes;
}

int Win32Surface::FullBuffers() const {
  return (frozen_.valid() ? 1 : 0) + (layer_.valid() ? 1 : 0) +
         (background_copy_.width > 0 ? 1 : 0);
}

}  // namespace capture::win32
