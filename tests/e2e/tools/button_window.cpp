// A window with one push button in it, at coordinates the caller chooses: a program whose window
// and control a capture offers to select.
//
// Usage: button_window.exe left top width height button_left button_top button_width button_height
// The button's place is in the window's client area, which is the whole window (no frame). The
// window is green, its title is "Buttons"; it ends when the process is ended.
#include <windows.h>

#include <cwchar>

#include "plain_window.h"

namespace {

void PaintGreen(HWND window, HDC dc, const RECT& area) {
  FillRect(dc, &area, reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 9) return 2;
  long v[8];
  for (int i = 0; i < 8; ++i) v[i] = std::wcstol(argv[i + 1], nullptr, 10);
  LocalFree(argv);

  plain_window::Setup setup;
  setup.class_name = L"ButtonWindow";
  setup.title = L"Buttons";
  setup.rect = {v[0], v[1], v[0] + v[2], v[1] + v[3]};
  setup.paint = PaintGreen;
  setup.background = CreateSolidBrush(RGB(0x30, 0x90, 0x50));
  setup.topmost = false;
  setup.closes_on_input = false;
  setup.on_created = [](HWND window, const long* button) {
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, button[0],
                    button[1], button[2], button[3], window, nullptr,
                    reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)),
                    nullptr);
  };
  setup.created_data = v + 4;
  return plain_window::Run(instance, setup);
}
