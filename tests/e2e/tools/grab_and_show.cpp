// The least program that freezes the screen: it grabs the whole virtual screen into a DIB section
// and shows it in a borderless window over the virtual screen. The start-up benchmark times it and
// reads its memory as the floor that capture.exe is held against.
//
// Usage: grab_and_show.exe
// Escape or a click closes it with status 0; a screen it cannot grab ends it with status 1.
#include <windows.h>

#include "plain_window.h"

namespace {

// Copies the grabbed screen, kept in the memory DC the window's user data names.
void PaintFrozen(HWND window, HDC dc, const RECT& r) {
  const auto frozen = reinterpret_cast<HDC>(GetWindowLongPtrW(window, GWLP_USERDATA));
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frozen, r.left, r.top, SRCCOPY);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC frozen = CreateCompatibleDC(nullptr);
  if (bitmap == nullptr || frozen == nullptr) return 1;
  // The bitmap stays selected for the life of the process; the system frees both at exit.
  SelectObject(frozen, bitmap);
  // The screen's own device context: its coordinates are the system's on Windows and under Wine
  // alike, so a monitor left of or above the primary is read too.
  HDC screen = GetDC(nullptr);
  const BOOL grabbed = BitBlt(frozen, 0, 0, width, height, screen, left, top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (!grabbed) return 1;

  plain_window::Setup setup;
  setup.class_name = L"GrabAndShow";
  setup.title = L"GrabAndShow";
  setup.rect = {left, top, left + width, top + height};
  setup.paint = PaintFrozen;
  setup.user_data = reinterpret_cast<LONG_PTR>(frozen);
  return plain_window::Run(instance, setup);
}
