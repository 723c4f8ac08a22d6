// The system's ANSI code page: the encoding of text that programs which know no Unicode write
// (Notepad saved in it unless told otherwise, before Windows 10 1903).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace capture {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // The text the bytes hold; none when a byte sequence among them is no character of the code
  // page (nothing is replaced by a look-alike or U+FFFD).
  virtual std::optional<std::u16string> Decode(std::string_view bytes) const = 0;
  // The text in the code page; none when it holds a character the code page lacks (no best fit,
  // no default character in its place).
  virtual std::optional<std::string> Encode(std::u16string_view text) const = 0;
};

}  // namespace capture
