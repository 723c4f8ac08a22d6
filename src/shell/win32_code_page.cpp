#include "shell/win32_code_page.h"

#include <windows.h>

#include <limits>

#include "shell/text.h"

namespace capture::win32 {

std::optional<std::u16string> Win32CodePage::Decode(std::string_view bytes) const {
  if (bytes.empty()) return std::u16string();
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
  const int size = static_cast<int>(bytes.size());
  const int length =
      ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(),
                            length) != length) {
    return std::nullopt;
  }
  return Utf16(text);
}

std::optional<std::string> Win32CodePage::Encode(std::u16string_view text) const {
  if (text.empty()) return std::string();
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
  const std::wstring wide = Wide(text);
  const int size = static_cast<int>(wide.size());
  // UTF-8 as the system's code page (a choice Windows 10 offers) takes neither the flag nor the
  // default character, and has every character anyway but lone surrogates.
  const bool utf8 = ::GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* const lacking = utf8 ? nullptr : &used_default;
  const int length =
      ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, lacking);
  if (length <= 0 || used_default) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, bytes.data(), length, nullptr,
                            lacking) != length ||
      used_default) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace capture::win32
