// A small double-byte code page in memory, laid out as GBK is: ASCII in one byte, a lead byte
// from 0x81 and a trail byte from 0x40 for the rest. It knows only a handful of Chinese
// characters, at their GBK codes, so a test can hold both text it has and text it lacks.
#pragma once

#include "platform/code_page.h"

namespace capture::fake {

class FakeCodePage : public CodePage {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::u16string_view text) const override;
};

}  // namespace capture::fake
