#include "shell/console_output.h"

#include "shell/handles.h"

namespace capture::win32 {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(handle, &mode) != 0;
}

void WriteConsole(HANDLE console, const std::wstring& text) {
  DWORD written = 0;
  ::WriteConsoleW(console, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void WriteUtf8(HANDLE out, const std::wstring& text) {
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return;
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
  DWORD written = 0;
  ::WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void WriteStdout(const std::wstring& text) {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);  // not owned
  if (out != nullptr && out != INVALID_HANDLE_VALUE) {
    if (IsConsole(out)) {
      WriteConsole(out, text);
    } else {
      WriteUtf8(out, text);
    }
    return;
  }
  // Started from a console window (cmd, PowerShell): a GUI program is given no handle to it.
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  const HANDLE opened = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened != INVALID_HANDLE_VALUE) {
    const KernelObject console(opened);
    WriteConsole(console.get(), text);
  }
  ::FreeConsole();
}

}  // namespace capture::win32
