// The smallest program that does what capture.exe does on screen at start-up: a borderless window
// over the whole screen, painted in one solid colour. The start-up benchmark times it as the floor
// that Wine itself sets; the end-to-end tests use it as a cover that hides part of the screen.
//
// Usage: trivial_window.exe [RRGGBB [left top width height]]
// Escape or a click closes it with status 0.
#include <windows.h>

#include <cwchar>

#include "plain_window.h"

namespace {

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

// Fills with the class's brush, the chosen colour.
void PaintColour(HWND window, HDC dc, const RECT& area) {
  FillRect(dc, &area, reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const Options options = ParseOptions();
  plain_window::Setup setup;
  setup.class_name = L"TrivialWindow";
  setup.title = L"Trivial";
  setup.rect = options.rect;
  setup.paint = PaintColour;
  setup.background = CreateSolidBrush(options.colour);
  return plain_window::Run(instance, setup);
}
