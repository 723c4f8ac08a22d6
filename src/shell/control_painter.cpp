#include "shell/control_painter.h"

#include <algorithm>

#include "art/art.h"
#include "selection/magnifier.h"
#include "shell/fonts.h"
#include "shell/text.h"

namespace capture::win32 {
namespace {

COLORREF Ref(Colour colour) {
  return static_cast<COLORREF>(colour) & 0x00FFFFFFu;
}

bool Native(const Control& c) {
  return c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox;
}

// The control's own whole-pixel rectangle in window coordinates. A line covers the pixels
// between its two end points.
RectI PixelRect(const Controls& controls, ControlId id) {
  const Control& c = controls[id];
  const PointF o = controls.Origin(id), e = controls.Extent(id);
  int x1 = Round(o.x), y1 = Round(o.y), x2 = Round(o.x + e.x), y2 = Round(o.y + e.y);
  if (c.kind == ControlKind::Line) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
  }
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  return {x1, y1, x2, y2};
}

void Fill(HDC dc, const RectI& r, Colour colour) {
  const RECT rect{r.left, r.top, r.right, r.bottom};
  Brush brush(::CreateSolidBrush(Ref(colour)));
  if (brush) ::FillRect(dc, &rect, brush.get());
}

// A frame `width` pixels thick on the rectangle's outermost columns and rows.
void Frame(HDC dc, const RectI& r, Colour colour, int width = 1) {
  if (r.Empty()) return;
  Fill(dc, {r.left, r.top, r.right, r.top + width}, colour);
  Fill(dc, {r.left, r.bottom - width, r.right, r.bottom}, colour);
  Fill(dc, {r.left, r.top, r.left + width, r.bottom}, colour);
  Fill(dc, {r.right - width, r.top, r.right, r.bottom}, colour);
}

// Blends an icon with straight alpha onto the target at window point (x, y), inside clip only.
void Blend(const Icon& icon, int x, int y, const RectI& clip, Dib& target, PointI origin) {
  const RectI r = Intersect({x, y, x + icon.width, y + icon.height}, clip);
  if (r.Empty()) return;
  ::GdiFlush();
  for (int wy = r.top; wy < r.bottom; ++wy) {
    std::uint32_t* row = target.Row(wy - origin.y);
    for (int wx = r.left; wx < r.right; ++wx) {
      const std::uint32_t src =
          icon.argb[static_cast<std::size_t>(wy - y) * static_cast<std::size_t>(icon.width) +
                    static_cast<std::size_t>(wx - x)];
      const std::uint32_t a = src >> 24;
      if (a == 0) continue;
      std::uint32_t& dst = row[wx - origin.x];
      if (a == 255) {
        dst = src & 0x00FFFFFFu;
        continue;
      }
      std::uint32_t out = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        out |= ((s * a + d * (255 - a) + 127) / 255) << shift;
      }
      dst = out;
    }
  }
}

void Picture(Art art, int dpi, const RectI& rect, const RectI& clip, HDC dc, Dib& target,
             PointI origin) {
  if (art == Art::None) return;
  const Icon& icon = ArtIcon(art, dpi);
  if (icon.width == 0) {
    // No artwork for it: a grey box shows where it belongs.
    Frame(dc, rect, Rgb(128, 128, 128));
    return;
  }
  Blend(icon, rect.left, rect.top, clip, target, origin);
}

// Sets the pixels of `r` (window coordinates) inside `clip` to one 0x00RRGGBB value, in memory:
// for the magnifier's many small blocks, a brush each would cost far more than the pixels.
void FillPixels(Dib& target, PointI origin, const RectI& r, const RectI& clip,
                std::uint32_t pixel) {
  const RectI a = Intersect(r, clip);
  if (a.Empty()) return;
  for (int y = a.top; y < a.bottom; ++y) {
    std::fill_n(target.Row(y - origin.y) + (a.left - origin.x), a.right - a.left, pixel);
  }
}

// The magnifier's pixels: each an equal square block of exactly its colour, written in memory, then
// a frame around the centre block (on its neighbours' edge, so the centre stays whole) and a
// crosshair along the centre row and column that stops at the frame, drawn by GDI over them.
void PaintZoom(HDC dc, const Control& c, const RectI& rect, const RectI& clip, int dpi, Dib& target,
               PointI origin) {
  constexpr int columns = kZoomColumns, rows = kZoomRows;
  constexpr auto kPixels = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
  if (c.zoom.size() != kPixels) return;
  const int block = (rect.right - rect.left) / columns;
  const int line = std::max(1, dpi / 96);
  ::GdiFlush();          // what GDI drew before is in the pixels
  std::size_t next = 0;  // the pixels come row by row
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const int x = rect.left + column * block, y = rect.top + row * block;
      FillPixels(target, origin, {x, y, x + block, y + block}, clip, c.zoom[next++] & 0xFFFFFFu);
    }
  }
  const int cx = rect.left + (columns / 2) * block, cy = rect.top + (rows / 2) * block;
  const RectI frame{cx - line, cy - line, cx + block + line, cy + block + line};
  Frame(dc, frame, c.border_colour, line);
  const int mx = cx + (block - line) / 2, my = cy + (block - line) / 2;
  Fill(dc, {mx, rect.top, mx + line, frame.top}, c.fore_colour);
  Fill(dc, {mx, frame.bottom, mx + line, rect.top + rows * block}, c.fore_colour);
  Fill(dc, {rect.left, my, frame.left, my + line}, c.fore_colour);
  Fill(dc, {frame.right, my, rect.left + columns * block, my + line}, c.fore_colour);
}

}  // namespace

RectI VisibleRect(const Controls& controls, ControlId id) {
  RectI r = PixelRect(controls, id);
  for (ControlId c = controls[id].container; c != ControlId::Window; c = controls[c].container) {
    r = Intersect(r, PixelRect(controls, c));
  }
  return r;
}

bool PaintedControlMeets(const Controls& controls, const RectI& area) {
  for (ControlId id : controls.PaintOrder()) {
    if (Native(controls[id]) || !controls.ShownOnScreen(id) || controls.InOwnWindow(id)) continue;
    if (!Intersect(VisibleRect(controls, id), area).Empty()) return true;
  }
  return false;
}

void ControlPainter::Paint(const Controls& controls, const RectI& area, Dib& target,
                           PointI origin) {
  for (ControlId id : controls.PaintOrder()) {
    const Control& c = controls[id];
    if (Native(c) || !controls.ShownOnScreen(id) || controls.InOwnWindow(id)) continue;
    const RectI clip = Intersect(VisibleRect(controls, id), area);
    if (clip.Empty()) continue;
    PaintOne(c, controls, clip, target, origin);
  }
}

void ControlPainter::PaintOwnWindow(const Controls& controls, ControlId root, Dib& target,
                                    PointI origin) {
  for (ControlId id : controls.PaintOrder()) {
    if (!controls.Within(id, root) || Native(controls[id]) || !controls.ShownOnScreen(id)) continue;
    const RectI clip = VisibleRect(controls, id);
    if (!clip.Empty()) PaintOne(controls[id], controls, clip, target, origin);
  }
}

void ControlPainter::PaintOne(const Control& c, const Controls& controls, const RectI& clip,
                              Dib& target, PointI origin) {
  HDC dc = target.dc();
  SavedDcState saved(dc);
  ::SetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  const RectI rect = PixelRect(controls, c.id);
  const int dpi = controls.scale.dpi;
  switch (c.kind) {
    case ControlKind::Panel:
      Fill(dc, rect, c.back_colour);
      if (c.has_border) Frame(dc, rect, c.border_colour);
      Picture(c.picture, dpi, rect, clip, dc, target, origin);
      break;
    case ControlKind::Image:
      Picture(c.picture, dpi, rect, clip, dc, target, origin);
      break;
    case ControlKind::Shape:
      if (c.has_fill) Fill(dc, rect, c.fill_colour);
      if (c.has_border) Frame(dc, rect, c.border_colour, c.border_width);
      break;
    case ControlKind::Line: {
      const PointF o = controls.Origin(c.id), e = controls.Extent(c.id);
      Pen pen(::CreatePen(PS_SOLID, 1, Ref(c.fore_colour)));
      SelectedObject selected(dc, pen.get());
      ::MoveToEx(dc, Round(o.x), Round(o.y), nullptr);
      ::LineTo(dc, Round(o.x + e.x), Round(o.y + e.y));
      break;
    }
    case ControlKind::Label:
      PaintLabel(c, dpi, rect, dc);
      break;
    case ControlKind::Zoom:
      PaintZoom(dc, c, rect, clip, dpi, target, origin);
      break;
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
      break;
  }
}

HFONT ControlPainter::LabelFont(const Control& c, int dpi) {
  const auto key = std::make_tuple(c.font_face, c.font_points, dpi);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    const std::wstring face = c.font_face.empty() ? std::wstring(kUiFace) : Wide(c.font_face);
    // The labels' face is a Simplified Chinese one; asking for its character set makes the
    // system pick a face with those glyphs when the named one is missing.
    it = fonts_.emplace(key, MakeFont(face, c.font_points, dpi, GB2312_CHARSET)).first;
  }
  return it->second.get();
}

void ControlPainter::PaintLabel(const Control& c, int dpi, const RectI& rect, HDC dc) {
  if (c.caption.empty()) return;
  const std::wstring text = Wide(c.caption);
  SelectedObject selected(dc, LabelFont(c, dpi));
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  // A white box the size of the text keeps the label readable on any picture.
  Fill(dc, {rect.left, rect.top, rect.left + extent.cx, rect.top + extent.cy}, Rgb(255, 255, 255));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, Ref(c.fore_colour));
  ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::TextOutW(dc, rect.left, rect.top, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace capture::win32
