// The least program that freezes the screen: it grabs the whole virtual screen into a DIB section
// and shows it in a borderless window over the virtual screen. The start-up benchmark times it and
// reads its memory as the floor that capture.exe is held against.
//
// Usage: grab_and_show.exe
// Escape or a click closes it with status 0; a screen it cannot grab ends it with status 1.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"GrabAndShow";
constexpr wchar_t kTitle[] = L"GrabAndShow";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      // The memory DC holding the grabbed screen.
      const auto frozen = reinterpret_cast<HDC>(GetWindowLongPtrW(window, GWLP_USERDATA));
      const RECT& r = paint.rcPaint;
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frozen, r.left, r.top, SRCCOPY);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_LBUTTONUP:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
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

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0) return 1;
  HWND window = CreateWindowExW(WS_EX_TOPMOST, kClassName, kTitle, WS_POPUP, left, top, width,
                                height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frozen));
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
