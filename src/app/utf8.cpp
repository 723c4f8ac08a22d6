#include "app/utf8.h"

#include <utility>

namespace capture {
namespace {

void Append(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
    return;
  }
  c -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (c >> 10));
  out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

void Append(std::string& out, char32_t c) {
  const auto byte = [&out](char32_t b) { out += static_cast<char>(static_cast<unsigned char>(b)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

// The code point of the sequence at the start of `in`, and the bytes it takes; none when the
// sequence is broken, overlong, a surrogate or beyond U+10FFFF.
std::optional<std::pair<char32_t, std::size_t>> Decode(std::string_view in) {
  const auto lead = static_cast<unsigned char>(in[0]);
  if (lead < 0x80) return std::pair<char32_t, std::size_t>{lead, 1};
  // The sequence's length by its lead byte: 110xxxxx, 1110xxxx, 11110xxx.
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || in.size() < length) return std::nullopt;
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  char32_t c = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(in[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3Fu);
  }
  if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return std::pair{c, length};
}

}  // namespace

std::optional<std::u16string> Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const auto decoded = Decode(utf8);
    if (!decoded) return std::nullopt;
    Append(out, decoded->first);
    utf8.remove_prefix(decoded->second);
  }
  return out;
}

std::optional<std::string> Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return std::nullopt;
    }
    Append(out, c);
  }
  return out;
}

}  // namespace capture
