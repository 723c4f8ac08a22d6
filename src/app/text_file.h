// A text file as lines in its own encoding, each with the bytes it had, so that a rewrite keeps
// the lines it does not change exactly as they were: how capture.ini is read and written back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace capture {

enum class Encoding { Utf8, Utf16Le, Utf16Be, Ansi };

struct TextLine {
  std::string bytes;                   // as in the file, its line end included
  std::optional<std::u16string> text;  // without the line end; none: no text in the encoding
};

struct TextFile {
  Encoding encoding = Encoding::Utf8;
  std::string mark;                   // the byte-order mark it starts with; empty: none
  std::u16string line_end = u"\r\n";  // its first line's, for lines added to it
  std::vector<TextLine> lines;
};

// The file's encoding and lines: UTF-16 (little- or big-endian) when it starts with that
// byte-order mark, UTF-8 when it starts with UTF-8's mark or is all UTF-8, else the ANSI code
// page. A line that is no text in that encoding keeps its bytes and has no text.
TextFile ReadTextFile(std::string_view bytes, const CodePage& ansi);

// The text in the encoding; none when the encoding cannot hold it.
std::optional<std::string> EncodedText(std::u16string_view text, Encoding encoding,
                                       const CodePage& ansi);

// A line in the file's encoding, with the file's line end; none when the encoding cannot hold it.
std::optional<TextLine> EncodedLine(std::u16string text, const TextFile& file,
                                    const CodePage& ansi);

// Puts the lines in at `at`; a last line without a line end gets one first.
void InsertLines(TextFile& file, std::size_t at, const std::vector<TextLine>& lines,
                 const CodePage& ansi);

// The file's bytes: its mark, then each line's bytes. None when they would read back as other
// text: bytes in a code page can look like UTF-8 once the lines that were not UTF-8 are gone.
std::optional<std::string> FileBytes(const TextFile& file, const CodePage& ansi);

// The encoding's name for the user.
std::u16string_view EncodingName(Encoding encoding);

}  // namespace capture
