#include "platform/fake/fake_code_page.h"

#include <algorithm>
#include <array>
#include <utility>

namespace capture::fake {
namespace {

// The characters beyond ASCII, at their GBK codes (lead byte, trail byte).
constexpr std::array<std::pair<char16_t, char16_t>, 8> kDoubleBytes{{
    {u'截', 0xBDD8},
    {u'图', 0xCDBC},
    {u'设', 0xC9E8},
    {u'置', 0xD6C3},
    {u'片', 0xC6AC},
    {u'新', 0xD0C2},
    {u'桌', 0xD7C0},
    {u'面', 0xC3E6},
}};

}  // namespace

std::optional<std::u16string> FakeCodePage::Decode(std::string_view bytes) const {
  std::u16string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      text += static_cast<char16_t>(lead);
      continue;
    }
    if (i + 1 == bytes.size()) return std::nullopt;
    const auto code = static_cast<char16_t>(lead << 8 | static_cast<unsigned char>(bytes[++i]));
    const auto* known = std::find_if(kDoubleBytes.begin(), kDoubleBytes.end(),
                                     [code](const auto& entry) { return entry.second == code; });
    if (known == kDoubleBytes.end()) return std::nullopt;
    text += known->first;
  }
  return text;
}

std::optional<std::string> FakeCodePage::Encode(std::u16string_view text) const {
  std::string bytes;
  for (const char16_t c : text) {
    if (c < 0x80) {
      bytes += static_cast<char>(c);
      continue;
    }
    const auto* known = std::find_if(kDoubleBytes.begin(), kDoubleBytes.end(),
                                     [c](const auto& entry) { return entry.first == c; });
    if (known == kDoubleBytes.end()) return std::nullopt;
    bytes += static_cast<char>(known->second >> 8);
    bytes += static_cast<char>(known->second & 0xFF);
  }
  return bytes;
}

}  // namespace capture::fake
