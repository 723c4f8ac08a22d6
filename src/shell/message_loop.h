// The thread's message loop.
#pragma once

#include <windows.h>

namespace capture::win32 {

// Dispatches the thread's messages until WM_QUIT; its exit code, or 1 when GetMessage fails.
inline int RunMessageLoop() {
  MSG msg{};
  for (;;) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got < 0) return 1;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace capture::win32
