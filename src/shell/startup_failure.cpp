#include "shell/startup_failure.h"

#include <windows.h>

#include <string>

#include "shell/text.h"

namespace capture::win32 {

void WriteStderr(const std::wstring& text) {
  const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);  // not owned
  if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return;
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
  DWORD written = 0;
  ::WriteFile(err, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

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
