// The settings file, capture.ini: what it holds, how it is read (never failing: a bad value is
// reported and its default used), and how it is written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/key_chord.h"
#include "platform/code_page.h"
#include "platform/save_memory.h"
#include "platform/types.h"

namespace capture {

inline constexpr std::size_t kRememberedSelections = 20;
// What a good folder is, for the report of a bad one.
inline constexpr std::u16string_view kFolderWanted = u"完整的文件夹路径";

struct Settings {
  KeyChord capture_hotkey{0, kPrintScreenKey};
  KeyChord pin_clipboard_hotkey;  // none
  // Folders as written, %VARIABLES% not yet expanded; the quick-save folder empty by default
  // (Screenshots in the user's Pictures folder).
  SaveSettings save;
  int scroll_max_height = 30000;  // the tallest picture a scrolling capture joins, in pixels
  std::vector<RectI> selections;  // the last selections, newest first, at most 20
  bool restore_pins = true;       // pins open at a quit are kept and shown at the next start
};

struct ReadSettings {
  Settings settings;
  // One line for each value that was not used, naming it; its default was used instead.
  std::vector<std::u16string> problems;
};

// The report of a bad value: its section, key and value, and what a good one looks like.
std::u16string BadValueText(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value, std::u16string_view want);

// Reads the file's bytes in their encoding (app/text_file.h: UTF-8, UTF-16 with a byte-order
// mark, else `ansi`): "[section]" lines, "key = value" lines, ";" or "#" comments. Unknown
// sections and keys are ignored; missing ones keep their defaults; a line that is no text in the
// encoding is reported and ignored.
ReadSettings ParseSettings(std::string_view file, const CodePage& ansi);

// The whole file for these settings, every key explained in a comment: UTF-8 with a byte-order
// mark (Notepad reads Chinese right then), CR LF line ends.
std::string SettingsFileText(const Settings& settings);

struct SettingsUpdate {
  std::string file;  // the bytes to write; the file as it was when `unwritten` is not empty
  // One line for each value its encoding cannot hold (or, when the bytes would read back as other
  // text, each changed value), for the user: then nothing is written.
  std::vector<std::u16string> unwritten;
};

// The file's bytes with every value that differs from `settings` written anew, in its line or
// added to its section, in the file's encoding (a UTF-8 file gains a byte-order mark); every
// other line (comments, unknown keys, a bad value left as it was, a line that is no text) keeps
// its bytes.
SettingsUpdate UpdatedSettingsText(std::string_view file, const Settings& settings,
                                   const CodePage& ansi);

}  // namespace capture
