#include "shell/console_output.h"

#include <windows.h>

#include "shell/handles.h"

namespace capture::win32 {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(handle, &mode) != 0;
}

void WriteToConsole(HANDLE console, const std::wstring& text) {
  DWORD written = 0;
  ::WriteConsoleW(console, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void WriteUtf8(HANDLE out, const std::wstring& text) {
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return;
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
  DWORD written = 0;
  ::WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// `which` is STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
void WriteStandard(DWORD which, const std::wstring& text) {
  const HANDLE out = ::GetStdHandle(which);  // not owned
  if (out != nullptr && out != INVALID_HANDLE_VALUE) {
    if (IsConsole(out)) {
      WriteToConsole(out, text);
    } else {
      WriteUtf8(out, text);
    }
    return;
  }
  // Started from a console window (cmd, PowerShell): a GUI program is given no handle to it.
  // ERROR_ACCESS_DENIED: this process is attached to a console already.
  if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED) return;
  const HANDLE opened = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return;
  const KernelObject console(opened);
  WriteToConsole(console.get(), text);
}

}  // namespace

void WriteStdout(const std::wstring& text) {
  WriteStandard(STD_OUTPUT_HANDLE, text);
}

void WriteStderr(const std::wstring& text) {
  WriteStandard(STD_ERROR_HANDLE, text);
}

}  // namespace capture::win32
