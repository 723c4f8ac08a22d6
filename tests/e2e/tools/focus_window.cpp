// A small window that takes the keyboard focus, so that keys typed through X reach Wine: Wine
// sees keys only through its own windows, and a global hotkey fires only while one of them has
// the focus. By default an 8x8 grey square in the screen's bottom-right corner (Wine maps no
// window that lies wholly off the screen). Its title is "Focus", and "Focus-active" while it is
// the active window.
//
// Usage: focus_window.exe [left top width height] [--hold-print-screen]
// --hold-print-screen registers Print Screen as this program's own hotkey, as another program
// holding the key would. Ends when its window is closed or the process is ended.
#include <windows.h>

#include <cwchar>

#include "plain_window.h"

namespace {

constexpr wchar_t kClassName[] = L"FocusWindow";
constexpr wchar_t kTitle[] = L"Focus";
constexpr wchar_t kActiveTitle[] = L"Focus-active";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ACTIVATE) {
    // Wine takes the X focus change in this process's own time: the title says when it has.
    SetWindowTextW(window, LOWORD(wparam) == WA_INACTIVE ? kTitle : kActiveTitle);
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const int right = GetSystemMetrics(SM_CXSCREEN);
  const int bottom = GetSystemMetrics(SM_CYSCREEN);
  RECT rect{right - 8, bottom - 8, right, bottom};
  bool hold_print_screen = false;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv != nullptr) {
    int next = 1;
    if (argc >= 5) {
      const long left = std::wcstol(argv[1], nullptr, 10);
      const long top = std::wcstol(argv[2], nullptr, 10);
      rect = {left, top, left + std::wcstol(argv[3], nullptr, 10),
              top + std::wcstol(argv[4], nullptr, 10)};
      next = 5;
    }
    hold_print_screen = next < argc && std::wcscmp(argv[next], L"--hold-print-screen") == 0;
    LocalFree(argv);
  }

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0) return 1;
  HWND window =
      CreateWindowExW(0, kClassName, kTitle, WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  if (hold_print_screen && !RegisterHotKey(window, 1, 0, VK_SNAPSHOT)) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return plain_window::RunMessages();
}
