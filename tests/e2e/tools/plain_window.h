// The window both floor programs show (trivial_window.exe, grab_and_show.exe): borderless, topmost,
// over a given rectangle, double-buffered by the caller's paint and closed by Escape or a click;
// and the message loop that focus_window.exe shares with them.
#pragma once

#include <windows.h>

namespace plain_window {

// Paints the part of the window that needs it.
using Paint = void (*)(HWND window, HDC dc, const RECT& area);

struct Setup {
  const wchar_t* class_name = nullptr;
  const wchar_t* title = nullptr;
  RECT rect{};
  Paint paint = nullptr;
  HBRUSH background = nullptr;  // the class's brush; the class owns it for the process's life
  LONG_PTR user_data = 0;       // GWLP_USERDATA, for the paint
  bool topmost = true;
  bool closes_on_input = true;  // Escape or a click closes it
  // Runs once the window exists, before it is shown (to make child windows), with created_data.
  void (*on_created)(HWND window, const long* data) = nullptr;
  const long* created_data = nullptr;
};

// The window's extra bytes hold its paint function, then whether input closes it.
inline constexpr int kPaintSlot = 0;
inline constexpr int kClosesSlot = sizeof(LONG_PTR);

inline LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      const auto draw = reinterpret_cast<Paint>(GetWindowLongPtrW(window, kPaintSlot));
      if (draw != nullptr) draw(window, dc, paint.rcPaint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE && GetWindowLongPtrW(window, kClosesSlot)) DestroyWindow(window);
      return 0;
    case WM_LBUTTONUP:
      if (GetWindowLongPtrW(window, kClosesSlot)) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

// Runs the thread's messages until a quit message comes; its exit status.
inline int RunMessages() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// Shows the window and runs its messages until it closes. The exit status: the quit message's,
// or 1 when the window could not be made.
inline int Run(HINSTANCE instance, const Setup& setup) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = Procedure;
  window_class.cbWndExtra = 2 * sizeof(LONG_PTR);
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = setup.background;
  window_class.lpszClassName = setup.class_name;
  if (RegisterClassExW(&window_class) == 0) return 1;

  const RECT& r = setup.rect;
  HWND window = CreateWindowExW(setup.topmost ? WS_EX_TOPMOST : 0, setup.class_name, setup.title,
                                WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  SetWindowLongPtrW(window, GWLP_USERDATA, setup.user_data);
  SetWindowLongPtrW(window, kPaintSlot, reinterpret_cast<LONG_PTR>(setup.paint));
  SetWindowLongPtrW(window, kClosesSlot, setup.closes_on_input ? 1 : 0);
  if (setup.on_created != nullptr) setup.on_created(window, setup.created_data);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return RunMessages();
}

}  // namespace plain_window
