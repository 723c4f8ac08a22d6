#include "shell/win32_surface.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "platform/pixels.h"
#include "shell/win32_screen.h"

namespace capture::win32 {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

COLORREF Ref(Colour colour) {
  return static_cast<COLORREF>(colour) & kRgbMask;
}

}  // namespace

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
  StopClipping();
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

void Win32Surface::FrozenShownIn(const RectI& area) {
  if (BeforeDrawing(area)) CopyArea(frozen_, layer_, Intersect(area, frozen_.Area()));
}

void Win32Surface::ClipChanged() {
  if (!layer_.valid()) return;
  if (!Clipping()) {
    ::SelectClipRgn(layer_.dc(), nullptr);
    return;
  }
  // GDI's drawing stays inside by the device context's clip; the surface's own loops by
  // Drawable().
  const RectI& clip = ClipArea();
  const Region region(::CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom));
  ::SelectClipRgn(layer_.dc(), region.get());
}

void Win32Surface::SetPicture(const Picture& picture) {
  ::GdiFlush();
  if (frozen_.valid() && SamePixels(frozen_.View(), PixelView::Of(picture))) {
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
  const RectI whole{x, y, x + picture.width, y + picture.height};
  if (!BeforeDrawing(whole)) return;
  const RectI part = Drawable(whole);
  PixelView from = PixelView::Of(picture);
  from.pixels = from.Row(part.top - y) + (part.left - x);
  from.width = part.right - part.left;
  from.height = part.bottom - part.top;
  PastePixels(from, layer_, part.left, part.top);
}

bool Win32Surface::BeforeDrawing(const RectI& touched) {
  const RectI area = Drawable(touched);
  if (area.Empty()) return false;
  MakeLayer();
  ::GdiFlush();
  background_copy_ = Picture();
  if (Persistent()) {
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
    CopyPixels(shown.View(), shown.Area(), PixelTarget::Of(copy),
               {shown.Area().left, shown.Area().top});
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

void Win32Surface::PreviewTakenBack() {
  background_copy_ = Picture();
  if (!under_preview_.empty()) {
    ::GdiFlush();
    under_preview_.PutBack(layer_);
  }
  screen_changes_.Add(window_changes_);
  window_changes_.Clear();
}

void Win32Surface::DrawingTakenBack() {
  background_copy_ = Picture();
  if (!under_drawing_.empty()) {
    ::GdiFlush();
    under_drawing_.PutBack(layer_);
  }
  window_changes_.Add(retained_changes_);
  retained_changes_.Clear();
}

void Win32Surface::RetainedKept() {
  // The retained image becomes the background: what was saved of the old one is let go.
  under_drawing_.Forget();
  background_copy_ = Picture();
  background_changes_ = Union(background_changes_, retained_changes_.Bounds());
  retained_changes_.Clear();
}

RectI Win32Surface::TakeBackgroundChanges() {
  return std::exchange(background_changes_, RectI{});
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
  const RectI surface = Drawable(Shown().Area());
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

Colour Win32Surface::Pixel(int x, int y) const {
  const Dib& shown = Shown();
  if (!shown.valid() || x < 0 || y < 0 || x >= shown.width() || y >= shown.height()) return -1;
  ::GdiFlush();
  if (Persistent()) {
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
