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

void CaptureWindow::Paint(HDC dc, const std::vector<RectI>& areas) {
  const HDC layer = surface_.WindowLayerDc();  // not owned
  for (const RectI& a : areas) {
    const int width = a.right - a.left, height = a.bottom - a.top;
    if (width <= 0 || height <= 0) continue;
    // Where no control lies, the window layer goes straight to the screen.
    if (!form_ || !PaintedControlMeets(form_->controls, a)) {
      if (layer) {
        ::BitBlt(dc, a.left, a.top, width, height, layer, a.left, a.top, SRCCOPY);
      } else {
        ::PatBlt(dc, a.left, a.top, width, height, BLACKNESS);
      }
      continue;
    }
    if (back_buffer_.width() < width || back_buffer_.height() < height) {
      back_buffer_ =
          Dib(std::max(width, back_buffer_.width()), std::max(height, back_buffer_.height()));
      if (!back_buffer_.valid()) continue;
    }
    if (layer) {
      ::BitBlt(back_buffer_.dc(), 0, 0, width, height, layer, a.left, a.top, SRCCOPY);
    } else {
      ::PatBlt(back_buffer_.dc(), 0, 0, width, height, BLACKNESS);
    }
    painter_.Paint(form_->controls, a, back_buffer_, {a.left, a.top});
    ::GdiFlush();
    ::BitBlt(dc, a.left, a.top, width, height, back_buffer_.dc(), 0, 0, SRCCOPY);
  }
}

}  // namespace capture::win32
