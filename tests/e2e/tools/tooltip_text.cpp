// Prints the text of the tooltip that is showing, as its tooltip control holds it, in UTF-8 on
// standard output; exits 1 when no tooltip shows. The tooltip belongs to another process, so
// the tool's record and the text buffer are made in that process's memory for TTM_GETCURRENTTOOLW
// to fill, then read back.
//
// Usage: tooltip_text.exe
#include <windows.h>
// commctrl.h needs windows.h's types first.
#include <commctrl.h>

#include <string>

namespace {

BOOL CALLBACK KeepShownTooltip(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  if (IsWindowVisible(window) && GetClassNameW(window, name, 64) > 0 &&
      lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring CurrentToolText(HWND tooltip) {
  DWORD owner = 0;
  GetWindowThreadProcessId(tooltip, &owner);
  const HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
  if (process == nullptr) return {};
  constexpr SIZE_T kTextChars = 1024;
  const SIZE_T bytes = sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t);
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  std::wstring text;
  if (remote != nullptr) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
    std::wstring buffer(kTextChars, L'\0');
    if (WriteProcessMemory(process, remote, &tool, sizeof(tool), nullptr) &&
        SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(remote)) != 0 &&
        ReadProcessMemory(process, remote + sizeof(TTTOOLINFOW), buffer.data(),
                          kTextChars * sizeof(wchar_t), nullptr)) {
      text.assign(buffer.c_str());
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HWND tooltip = nullptr;
  EnumWindows(KeepShownTooltip, reinterpret_cast<LPARAM>(&tooltip));
  if (tooltip == nullptr) return 1;
  const std::wstring text = CurrentToolText(tooltip);
  if (text.empty()) return 1;
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written,
            nullptr);
  return 0;
}
