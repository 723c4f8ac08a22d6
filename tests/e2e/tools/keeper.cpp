// Keeps one Wine GUI process alive for a whole test session on one Wine prefix.
//
// Without it every Wine start pays for bringing the desktop process up again, and the clipboard
// content goes away shortly after the last Wine GUI process exits. It touches the desktop window,
// says "ready" on stdout so the harness knows the prefix is up, and then waits until it is killed.
#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (GetDesktopWindow() == nullptr) return 1;
  std::fputs("keeper ready\n", stdout);
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
