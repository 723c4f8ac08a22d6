// UTF-8 text of the settings file to and from the program's UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace capture {

// Decodes UTF-8; none when a byte sequence is no UTF-8 (broken, overlong, a surrogate, beyond
// U+10FFFF): what is not UTF-8 is never read as U+FFFD.
std::optional<std::u16string> Utf16FromUtf8(std::string_view utf8);
// Encodes UTF-16 as UTF-8; none when it holds a lone surrogate, which UTF-8 cannot carry.
std::optional<std::string> Utf8FromUtf16(std::u16string_view text);

}  // namespace capture
