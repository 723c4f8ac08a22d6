// The capture window's painting: the window layer, then the controls, over the invalid areas only.
#include "shell/capture_window.h"

namespace capture::win32 {
namespace {

// Past this many rectangles an update region is painted as its bounding box.
constexpr DWORD kMaxPaintRects = 256;

}  // namespace

std::vector<RectI> CaptureWindow::UpdateAreas() const {
  Region region(::CreateRectRgn(0, 0, 0, 0));
  if (!region) return {};
  const int kind = ::GetUpdateRgn(hwnd(), region.get(), FALSE);
  if (kind == NULLREGION || kind == ERROR) return {};
  const DWORD bytes = ::GetRegionData(region.get(), 0, nullptr);
  std::vector<DWORD> storage(bytes / sizeof(DWORD) + 1);
  auto* data = reinterpret_cast<RGNDATA*>(storage.data());
  if (!::GetRegionData(region.get(), bytes, data)) return {};
  const RECT& bound = data->rdh.rcBound;
  if (data->rdh.nCount > kMaxPaintRects)
    return {{bound.left, bound.top, bound.right, bound.bottom}};
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  std::vector<RectI> areas;
  areas.reserve(data->rdh.nCount);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    areas.push_back({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
  }
  return areas;
}

void CaptureWindow::PaintLayer(HDC to, int x, int y, const RectI& area) const {
  const HDC layer = surface_.WindowLayerDc();  // not owned
  const RectI from = form_ ? form_->view().ToPicture(area) : area;
  const SizeI size = surface_.Size();
  const RectI inside = layer ? Intersect(from, {0, 0, size.width, size.height}) : RectI{};
  if (inside != from) {
    const RECT all{x, y, x + area.right - area.left, y + area.bottom - area.top};
    ::FillRect(to, &all, no_picture_.get());
  }
  if (inside.Empty()) return;
  ::BitBlt(to, x + inside.left - from.left, y + inside.top - from.top, inside.right - inside.left,
           inside.bottom - inside.top, layer, inside.left, inside.top, SRCCOPY);
}

void CaptureWindow::Paint(HDC dc, const std::vector<RectI>& areas) {
  for (const RectI& a : areas) {
    const int width = a.right - a.left, height = a.bottom - a.top;
    if (width <= 0 || height <= 0) continue;
    // Where no control lies, the window layer goes straight to the screen.
    if (!form_ || !PaintedControlMeets(mirrored_, a)) {
      PaintLayer(dc, a.left, a.top, a);
      continue;
    }
    if (back_buffer_.width() < width || back_buffer_.height() < height) {
      back_buffer_ =
          Dib(std::max(width, back_buffer_.width()), std::max(height, back_buffer_.height()));
      if (!back_buffer_.valid()) continue;
    }
    PaintLayer(back_buffer_.dc(), 0, 0, a);
    painter_.Paint(mirrored_, a, back_buffer_, {a.left, a.top});
    ::GdiFlush();
    ::BitBlt(dc, a.left, a.top, width, height, back_buffer_.dc(), 0, 0, SRCCOPY);
  }
}

}  // namespace capture::win32
