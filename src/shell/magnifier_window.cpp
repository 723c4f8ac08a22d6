#include "shell/magnifier_window.h"

#include <new>

#include "form/repaint.h"
#include "shell/window_owner.h"

namespace capture::win32 {
namespace {

constexpr wchar_t kMagnifierClass[] = L"Capture.Magnifier";

}  // namespace

bool MagnifierWindow::Create(HINSTANCE instance, HWND owner) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &MagnifierWindow::Procedure;
  wc.hInstance = instance;
  wc.lpszClassName = kMagnifierClass;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // Layered and transparent: the system lets pointer input through to the capture window beneath.
  // Owned by it and topmost, so it stays above it; a tool window that never activates.
  ::CreateWindowExW(
      WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
      kMagnifierClass, L"", WS_POPUP, 0, 0, 1, 1, owner, nullptr, instance, this);
  return hwnd() != nullptr;
}

void MagnifierWindow::Mirror(const Controls& controls, PointI origin) {
  if (!hwnd()) return;
  const bool shown =
      controls.ShownOnScreen(ControlId::Magnifier) && controls[ControlId::Magnifier].own_window;
  if (shown == shown_ && origin == origin_ &&
      !OwnWindowChanged(mirrored_, controls, ControlId::Magnifier)) {
    return;
  }
  mirrored_ = controls;
  origin_ = origin;
  if (shown) Present(controls, origin);
  if (shown != shown_) ::ShowWindow(hwnd(), shown ? SW_SHOWNOACTIVATE : SW_HIDE);
  shown_ = shown;
}

void MagnifierWindow::Present(const Controls& controls, PointI origin) {
  const RectI box = VisibleRect(controls, ControlId::Magnifier);
  const int width = box.right - box.left, height = box.bottom - box.top;
  if (width <= 0 || height <= 0) return;
  if (pixels_.width() != width || pixels_.height() != height) {
    pixels_ = Dib(width, height);
    if (!pixels_.valid()) throw std::bad_alloc();
  }
  painter_.PaintOwnWindow(controls, ControlId::Magnifier, pixels_, {box.left, box.top});
  ::GdiFlush();
  // GDI leaves the alpha bytes as they were: every pixel is made opaque, exactly its colour. (With
  // no per-pixel alpha asked for instead, Wine showed the whole box black.)
  std::uint32_t* p = pixels_.pixels();
  for (std::size_t i = 0, n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
       i < n; ++i) {
    p[i] |= 0xFF000000u;
  }
  POINT at{origin.x + box.left, origin.y + box.top};
  SIZE size{width, height};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::UpdateLayeredWindow(hwnd(), nullptr, &at, &size, pixels_.dc(), &from, 0, &blend, ULW_ALPHA);
}

LRESULT CALLBACK MagnifierWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  WindowOwner(hwnd, message, lparam, &MagnifierWindow::window_);
  switch (message) {
    case WM_NCHITTEST:
      // Also where the system asks without looking at the extended style.
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return ::DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

}  // namespace capture::win32
