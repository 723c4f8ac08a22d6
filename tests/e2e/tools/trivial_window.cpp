// The smallest program that does what capture.exe does on screen at start-up: a borderless window
// over the whole screen, painted in one solid colour. The start-up benchmark times it as the floor
// that Wine itself sets; the end-to-end tests use it as a cover that hides part of the screen.
//
// Usage: trivial_window.exe [RRGGBB [left top width height]]
// Escape or a click closes it with status 0.
#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"TrivialWindow";
constexpr wchar_t kTitle[] = L"Trivial";

struct Options {
  COLORREF colour = RGB(0x33, 0x66, 0xCC);
  RECT rect{};
};

Options ParseOptions() {
  Options options;
  // The whole virtual screen, every monitor, as capture.exe covers it.
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  options.rect = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr) return options;
  if (argc >= 2) {
    const unsigned long rgb = std::wcstoul(argv[1], nullptr, 16);
    options.colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }
  if (argc >= 6) {
    const long left = std::wcstol(argv[2], nullptr, 10);
    const long top = std::wcstol(argv[3], nullptr, 10);
    options.rect = {left, top, left + std::wcstol(argv[4], nullptr, 10),
                    top + std::wcstol(argv[5], nullptr, 10)};
  }
  LocalFree(argv);
  return options;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
      FillRect(dc, &paint.rcPaint, brush);
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
  const Options options = ParseOptions();
  // The class owns the brush for the life of the process; the system frees it at exit.
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = CreateSolidBrush(options.colour);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0) return 1;

  const RECT& r = options.rect;
  HWND window =
      CreateWindowExW(WS_EX_TOPMOST, kClassName, kTitle, WS_POPUP, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
