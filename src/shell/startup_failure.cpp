#include "shell/startup_failure.h"

#include <windows.h>

#include <string>

#include "shell/console_output.h"
#include "shell/text.h"

namespace capture::win32 {

int ReportStartupFailure(const RunError& error) noexcept {
  try {
    WriteStderr(L"capture: " + Wide(error.description) + L" (" + std::to_wstring(error.number) +
                L")\r\n");
    ::MessageBoxW(nullptr, Wide(StartupErrorText(error)).c_str(), L"错误", MB_OK | MB_ICONERROR);
  } catch (...) {
    // Out of memory even for the message: the exit status still says it.
  }
  return kStartupFailedStatus;
}

}  // namespace capture::win32
