// UTF-16 strings between the core (std::u16string) and the W APIs (wchar_t is 16 bits here).
#pragma once

#include <string>
#include <string_view>

namespace capture::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W APIs take UTF-16");

inline std::wstring Wide(std::u16string_view text) {
  return {text.begin(), text.end()};
}
inline std::u16string Utf16(std::wstring_view text) {
  return {text.begin(), text.end()};
}

}  // namespace capture::win32
