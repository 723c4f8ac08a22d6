#include "shell/system_settings.h"

#include <windows.h>

#include <cwchar>

#include "shell/text.h"

namespace capture::win32 {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Capture";
constexpr wchar_t kKeyboardKey[] = L"Control Panel\\Keyboard";
constexpr wchar_t kSnippingValue[] = L"PrintScreenKeyForSnippingEnabled";

}  // namespace

std::optional<std::u16string> RegistryRunValue::Read() {
  DWORD type = 0;
  DWORD bytes = 0;
  const LSTATUS status =
      ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_ANY, &type, nullptr, &bytes);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  // A value that cannot be read as text is no command this program wrote.
  if (status != ERROR_SUCCESS || type != REG_SZ) return u"";
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, text.data(),
                     &bytes) != ERROR_SUCCESS) {
    return u"";
  }
  text.resize(std::wcslen(text.c_str()));
  return Utf16(text);
}

bool RegistryRunValue::Write(const std::u16string& command) {
  const std::wstring text = Wide(command);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, text.c_str(), bytes) ==
         ERROR_SUCCESS;
}

bool RegistryRunValue::Remove() {
  const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool SnippingOwnsPrintScreen() {
  DWORD value = 0;
  DWORD size = sizeof(value);
  const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue,
                                        RRF_RT_REG_DWORD, nullptr, &value, &size);
  return status == ERROR_SUCCESS && value == 1;
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    // Truncated: a long path.
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace capture::win32
