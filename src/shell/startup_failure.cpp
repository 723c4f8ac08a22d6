#include "shell/startup_failure.h"

#include <windows.h>

#include <string>

#include "shell/handles.h"
#include "shell/text.h"

namespace capture::win32 {

namespace {

// Writes the text as UTF-8 to a pipe or file.
void WriteUtf8(HANDLE to, const std::wstring& text) {
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return;
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
  DWORD written = 0;
  ::WriteFile(to, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void WriteToConsole(HANDLE to, const std::wstring& text) {
  DWORD written = 0;
  ::WriteConsoleW(to, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Writes to the standard handle when it is valid (a console, a pipe, a file); else to the console
// of the process that started the program, if it has one: a program for the Windows subsystem has
// no console of its own.
void WriteStandard(DWORD which, const std::wstring& text) {
  const HANDLE handle = ::GetStdHandle(which);  // not owned
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
    const DWORD type = ::GetFileType(handle);
    if (type == FILE_TYPE_CHAR) return WriteToConsole(handle, text);
    if (type != FILE_TYPE_UNKNOWN) return WriteUtf8(handle, text);
  }
  if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED) return;
  const HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return;
  const KernelObject owned(console);
  WriteToConsole(console, text);
}

}  // namespace

void WriteStderr(const std::wstring& text) {
  WriteStandard(STD_ERROR_HANDLE, text);
}

void WriteStdout(const std::wstring& text) {
  WriteStandard(STD_OUTPUT_HANDLE, text);
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
