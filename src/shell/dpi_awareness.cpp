#include "shell/dpi_awareness.h"

#include <windows.h>

namespace capture::win32 {

void EnablePerMonitorDpiAwareness() {
  using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");  // not owned: always loaded
  const FARPROC proc = user32 ? ::GetProcAddress(user32, "SetProcessDpiAwarenessContext") : nullptr;
  if (proc) {
    const auto set_context = reinterpret_cast<SetContext>(reinterpret_cast<void*>(proc));
    if (set_context(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
  }
  ::SetProcessDPIAware();
}

}  // namespace capture::win32
