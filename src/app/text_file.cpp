#include "app/text_file.h"

#include <algorithm>

#include "app/utf8.h"

namespace capture {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool IsUtf16(Encoding encoding) {
  return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be;
}

// UTF-16 code units from bytes; none for an odd count. A lone surrogate is kept: the file can
// hold it, and writing it back gives the same bytes.
std::optional<std::u16string> Utf16FromBytes(std::string_view bytes, bool big_endian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
  }
  return text;
}

std::string BytesFromUtf16(std::u16string_view text, bool big_endian) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t c : text) {
    const auto high = static_cast<char>(c >> 8);
    const auto low = static_cast<char>(c & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

std::optional<std::u16string> Decoded(std::string_view bytes, Encoding encoding,
                                      const CodePage& ansi) {
  switch (encoding) {
    case Encoding::Utf8:
      return Utf16FromUtf8(bytes);
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
      return Utf16FromBytes(bytes, encoding == Encoding::Utf16Be);
    case Encoding::Ansi:
      break;
  }
  return ansi.Decode(bytes);
}

// Where each line ends: after its line feed, found in whole code units (in every ANSI code page
// Windows has, a line feed byte is never part of a longer character).
std::vector<std::string_view> SplitLines(std::string_view bytes, Encoding encoding) {
  const std::string_view feed = encoding == Encoding::Utf16Le   ? std::string_view("\n\0", 2)
                                : encoding == Encoding::Utf16Be ? std::string_view("\0\n", 2)
                                                                : std::string_view("\n");
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t at = 0; at + feed.size() <= bytes.size(); at += feed.size()) {
    if (bytes.substr(at, feed.size()) != feed) continue;
    lines.push_back(bytes.substr(start, at + feed.size() - start));
    start = at + feed.size();
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

}  // namespace

TextFile ReadTextFile(std::string_view bytes, const CodePage& ansi) {
  TextFile file;
  if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
    file.encoding = bytes.starts_with(kUtf16LeMark) ? Encoding::Utf16Le : Encoding::Utf16Be;
    file.mark = bytes.substr(0, 2);
  } else if (bytes.starts_with(kUtf8Mark)) {
    file.mark = kUtf8Mark;
  } else if (!Utf16FromUtf8(bytes)) {
    file.encoding = Encoding::Ansi;
  }
  bytes.remove_prefix(file.mark.size());
  bool line_end_found = false;
  for (const std::string_view line : SplitLines(bytes, file.encoding)) {
    std::optional<std::u16string> text = Decoded(line, file.encoding, ansi);
    if (text && text->ends_with(u'\n')) {
      text->pop_back();
      const bool return_too = text->ends_with(u'\r');
      if (return_too) text->pop_back();
      if (!line_end_found) file.line_end = return_too ? u"\r\n" : u"\n";
      line_end_found = true;
    }
    file.lines.push_back({std::string(line), std::move(text)});
  }
  return file;
}

std::optional<std::string> EncodedText(std::u16string_view text, Encoding encoding,
                                       const CodePage& ansi) {
  switch (encoding) {
    case Encoding::Utf8:
      return Utf8FromUtf16(text);
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
      return BytesFromUtf16(text, encoding == Encoding::Utf16Be);
    case Encoding::Ansi:
      break;
  }
  return ansi.Encode(text);
}

std::optional<TextLine> EncodedLine(std::u16string text, const TextFile& file,
                                    const CodePage& ansi) {
  std::optional<std::string> bytes = EncodedText(text + file.line_end, file.encoding, ansi);
  if (!bytes) return std::nullopt;
  return TextLine{std::move(*bytes), std::move(text)};
}

void InsertLines(TextFile& file, std::size_t at, const std::vector<TextLine>& lines,
                 const CodePage& ansi) {
  const std::optional<std::string> feed = EncodedText(u"\n", file.encoding, ansi);
  if (at == file.lines.size() && at > 0 && feed && !file.lines.back().bytes.ends_with(*feed)) {
    file.lines.back().bytes += EncodedText(file.line_end, file.encoding, ansi).value_or(*feed);
  }
  file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(),
                    lines.end());
}

std::optional<std::string> FileBytes(const TextFile& file, const CodePage& ansi) {
  std::string bytes = file.mark;
  for (const TextLine& line : file.lines) bytes += line.bytes;
  const TextFile read = ReadTextFile(bytes, ansi);
  const bool same =
      std::equal(read.lines.begin(), read.lines.end(), file.lines.begin(), file.lines.end(),
                 [](const TextLine& a, const TextLine& b) { return a.text == b.text; });
  if (!same) return std::nullopt;
  return bytes;
}

std::u16string_view EncodingName(Encoding encoding) {
  if (encoding == Encoding::Ansi) return u"系统代码页";
  return IsUtf16(encoding) ? u"UTF-16" : u"UTF-8";
}

}  // namespace capture
