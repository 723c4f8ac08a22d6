// UTF-8 text of the settings file to and from the program's UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace capture {

// Decodes UTF-8; a byte sequence that is no UTF-8 becomes U+FFFD, so any bytes can be read.
std::u16string Utf16FromUtf8(std::string_view utf8);
// Encodes UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace capture
