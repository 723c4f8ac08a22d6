#include "app/settings.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "app/command_line.h"
#include "app/text_file.h"
#include "app/utf8.h"
#include "output/file_name.h"
#include "output/image_formats.h"

namespace capture {
namespace {

// One key of the file: where it is, what a good value looks like, how it is read and written.
struct Entry {
  std::u16string_view section, key;
  std::u16string_view comment;  // written above the key in a new file; empty: none
  std::u16string_view want;     // a good value, for the report of a bad one
  // Takes the value into the settings; false (the settings untouched) when it is no good value.
  std::function<bool(std::u16string_view, Settings&)> read;
  std::function<std::u16string(const Settings&)> write;
};

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// U+0000 to U+001F and U+007F: no file or folder name holds one, and the system cuts a name
// short at a NUL.
bool HasControlCharacter(std::u16string_view text) {
  for (const char16_t c : text) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t' || text.back() == u'\r')) {
    text.remove_suffix(1);
  }
  return text;
}

Entry HotkeyEntry(std::u16string_view key, std::u16string_view comment, KeyChord Settings::*field) {
  return {u"hotkeys",
          key,
          comment,
          u"如 PrintScreen、Ctrl+Shift+A，或留空",
          [field](std::u16string_view value, Settings& s) {
            const std::optional<KeyChord> chord = ParseKeyChord(value);
            if (chord) s.*field = *chord;
            return chord.has_value();
          },
          [field](const Settings& s) { return KeyChordText(s.*field); }};
}

// A folder or a file-name pattern: any text that is not empty.
Entry TextEntry(std::u16string_view section, std::u16string_view key, std::u16string_view comment,
                std::u16string_view want, std::u16string SaveSettings::*field, bool may_be_empty,
                std::u16string_view forbidden) {
  return {section,
          key,
          comment,
          want,
          [=](std::u16string_view value, Settings& s) {
            if ((value.empty() && !may_be_empty) ||
                value.find_first_of(forbidden) != std::u16string_view::npos) {
              return false;
            }
            s.save.*field = std::u16string(value);
            return true;
          },
          [field](const Settings& s) { return s.save.*field; }};
}

// An image format by its extension, kept in lower case.
bool ReadFormat(std::u16string_view value, std::u16string& format, bool may_be_empty) {
  if (value.empty() && may_be_empty) {
    format.clear();
    return true;
  }
  if (!FormatOfExtension(value)) return false;
  format = LowerCase(value);
  return true;
}

std::optional<bool> YesOrNo(std::u16string_view value) {
  const std::u16string lower = LowerCase(value);
  for (const char16_t* yes : {u"yes", u"true", u"on", u"1", u"是"}) {
    if (lower == yes) return true;
  }
  for (const char16_t* no : {u"no", u"false", u"off", u"0", u"否"}) {
    if (lower == no) return false;
  }
  return std::nullopt;
}

std::u16string Number(int value) {
  std::u16string text;
  const bool negative = value < 0;
  for (long long v = negative ? -static_cast<long long>(value) : value; v != 0 || text.empty();
       v /= 10) {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + v % 10));
  }
  return negative ? u"-" + text : text;
}

// "X,Y,W,H" with a width and height of at least one pixel.
std::optional<RectI> ReadRectangle(std::u16string_view value) {
  int fields[4] = {};
  for (int& field : fields) {
    const std::size_t comma = value.find(u',');
    const std::optional<int> number = WholeNumber(Trimmed(value.substr(0, comma)));
    if (!number || (comma == value.npos) != (&field == &fields[3])) return std::nullopt;
    field = *number;
    value.remove_prefix(comma == value.npos ? value.size() : comma + 1);
  }
  if (fields[2] <= 0 || fields[3] <= 0) return std::nullopt;
  return RectI{fields[0], fields[1], fields[0] + fields[2], fields[1] + fields[3]};
}

Entry SelectionEntry(std::size_t index) {
  return {u"selections",
          {},
          {},
          u"X,Y,宽,高，宽和高至少为 1",
          [index](std::u16string_view value, Settings& s) {
            // Empty: no selection kept in this place, whatever an earlier line said.
            const std::optional<RectI> rect =
                value.empty() ? std::optional<RectI>(RectI{}) : ReadRectangle(value);
            if (!rect) return false;
            if (s.selections.size() <= index) s.selections.resize(index + 1);
            s.selections[index] = *rect;
            return true;
          },
          [index](const Settings& s) -> std::u16string {
            if (index >= s.selections.size()) return {};
            const RectI& r = s.selections[index];
            return Number(r.left) + u"," + Number(r.top) + u"," + Number(r.right - r.left) + u"," +
                   Number(r.bottom - r.top);
          }};
}

// Every key of the file, in the order a new file lists them.
std::vector<Entry> Entries() {
  constexpr std::u16string_view kNotInName = u"\\/:*?\"<>|";
  std::vector<Entry> entries{
      HotkeyEntry(u"capture", u"截图的热键，如 PrintScreen、Ctrl+Shift+A、Alt+F1；留空则不用热键",
                  &Settings::capture_hotkey),
      HotkeyEntry(u"pin_clipboard", u"把剪贴板中的图片钉在桌面的热键；留空则不用热键",
                  &Settings::pin_clipboard_hotkey),
      {u"quick_save", u"folder",
       u"快速保存（Ctrl+Shift+S）和命令行保存的文件夹，可用 %USERPROFILE% "
       u"等环境变量；留空则为“图片”文件夹中的 Screenshots；没有时自动创建",
       kFolderWanted,
       [](std::u16string_view value, Settings& s) {
         if (HasControlCharacter(value)) return false;
         s.save.quick.folder = std::u16string(value);
         while (s.save.quick.folder.size() > 3 &&
                (s.save.quick.folder.ends_with(u'\\') || s.save.quick.folder.ends_with(u'/'))) {
           s.save.quick.folder.pop_back();
         }
         return true;
       },
       [](const Settings& s) { return s.save.quick.folder; }},
      {u"quick_save", u"pattern",
       u"文件名（不含扩展名）：{yyyy} {MM} {dd} {HH} {mm} {ss} 换成当时的时间，{n} 换成序号；"
       u"同名文件已存在时加上 (2)、(3)…",
       u"不含 \\ / : * ? \" < > | 和控制字符、不是设备名（如 CON、NUL）的文件名",
       [kNotInName](std::u16string_view value, Settings& s) {
         if (value.empty() || value.find_first_of(kNotInName) != value.npos ||
             HasControlCharacter(value) || IsDeviceName(value)) {
           return false;
         }
         s.save.quick.pattern = std::u16string(value);
         return true;
       },
       [](const Settings& s) { return s.save.quick.pattern; }},
      {u"quick_save", u"copy", u"快速保存时也复制到剪贴板：yes 或 no", u"yes 或 no",
       [](std::u16string_view value, Settings& s) {
         const std::optional<bool> yes = YesOrNo(value);
         if (yes) s.save.copy_on_quick_save = *yes;
         return yes.has_value();
       },
       [](const Settings& s) {
         return std::u16string(s.save.copy_on_quick_save ? u"yes" : u"no");
       }},
      {u"scroll", u"max_height", u"长截图最多拼接的高度（像素）", u"1 到 100000 的整数",
       [](std::u16string_view value, Settings& s) {
         const std::optional<int> rows = WholeNumber(value);
         if (!rows || *rows < 1 || *rows > 100000) return false;
         s.scroll_max_height = *rows;
         return true;
       },
       [](const Settings& s) { return Number(s.scroll_max_height); }},
      {u"save", u"format", u"快速保存和命令行保存的格式：png、jpg、bmp、gif 或 tiff",
       u"png、jpg、bmp、gif 或 tiff",
       [](std::u16string_view value, Settings& s) {
         return ReadFormat(value, s.save.quick.extension, false);
       },
       [](const Settings& s) { return s.save.quick.extension; }},
      {u"save", u"jpeg_quality", u"JPEG 的质量：0 到 100", u"0 到 100 的整数",
       [](std::u16string_view value, Settings& s) {
         const std::optional<int> quality = WholeNumber(value);
         if (!quality || *quality < 0 || *quality > 100) return false;
         s.save.jpeg_quality = *quality;
         return true;
       },
       [](const Settings& s) { return Number(s.save.jpeg_quality); }},
      TextEntry(u"save", u"last_folder",
                u"“保存为”对话框上次保存的文件夹和格式，下次在这里打开（由程序写入）",
                u"文件夹路径", &SaveSettings::last_folder, true, {}),
      {u"save",
       u"last_format",
       {},
       u"png、jpg、bmp、gif、tiff，或留空",
       [](std::u16string_view value, Settings& s) {
         return ReadFormat(value, s.save.last_format, true);
       },
       [](const Settings& s) { return s.save.last_format; }},
      {u"pins", u"restore", u"退出时还开着的贴图，下次启动常驻程序时放回原处：yes 或 no",
       u"yes 或 no",
       [](std::u16string_view value, Settings& s) {
         const std::optional<bool> yes = YesOrNo(value);
         if (yes) s.restore_pins = *yes;
         return yes.has_value();
       },
       [](const Settings& s) { return std::u16string(s.restore_pins ? u"yes" : u"no"); }},
  };
  for (std::size_t i = 0; i < kRememberedSelections; ++i) entries.push_back(SelectionEntry(i));
  return entries;
}

// A selection's key is its place in the list, from 1.
std::u16string KeyOf(const Entry& entry, std::size_t index_among_selections) {
  if (!entry.key.empty()) return std::u16string(entry.key);
  return Number(static_cast<int>(index_among_selections + 1));
}

// A line read: a section header, a key and its value, or neither (blank, comment, other text).
struct Line {
  std::optional<std::u16string> section;  // in lower case
  std::u16string key;                     // in lower case; empty: no key
  std::u16string_view value;
};

Line Read(std::u16string_view text) {
  text = Trimmed(text);
  Line line;
  if (text.empty() || text.starts_with(u';') || text.starts_with(u'#')) return line;
  if (text.starts_with(u'[') && text.ends_with(u']')) {
    line.section = LowerCase(Trimmed(text.substr(1, text.size() - 2)));
    return line;
  }
  const std::size_t equals = text.find(u'=');
  if (equals == text.npos) return line;
  line.key = LowerCase(Trimmed(text.substr(0, equals)));
  line.value = Trimmed(text.substr(equals + 1));
  return line;
}

// The entry a key of a section names, and its index among the selections; null for none.
const Entry* Find(const std::vector<Entry>& entries, std::u16string_view section,
                  std::u16string_view key) {
  std::size_t selection = 0;
  for (const Entry& entry : entries) {
    if (entry.section == section && LowerCase(KeyOf(entry, selection)) == key) return &entry;
    if (entry.key.empty()) ++selection;
  }
  return nullptr;
}

// "key = value".
std::u16string KeyLine(std::u16string_view key, std::u16string_view value) {
  std::u16string line(key);
  line.append(u" = ").append(value);
  return line;
}

// "[section]", built by appending (GCC 12 warns, wrongly, of an overlapping copy in the sum).
std::u16string Header(std::u16string_view section) {
  std::u16string header(u"[");
  header.append(section).append(u"]");
  return header;
}

// Where a key is: its last line in its section, which counts as for reading, and the line a new
// key goes after: the section's last key, else its header, so the keys stay in their order.
struct KeyPlace {
  std::optional<std::size_t> line, section_end;
};

KeyPlace PlaceOf(const TextFile& file, std::u16string_view section_name, std::u16string_view key) {
  KeyPlace place;
  std::u16string section;
  const std::u16string lower_key = LowerCase(key);
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    if (!file.lines[i].text) continue;
    const Line line = Read(*file.lines[i].text);
    if (line.section) section = *line.section;
    if (section != section_name) continue;
    if (line.section || !line.key.empty()) place.section_end = i;
    if (line.key == lower_key) place.line = i;
  }
  return place;
}

// Writes the key's line at its place, or in its section added at the end; false when the file's
// encoding cannot hold it.
bool Put(TextFile& file, const KeyPlace& place, std::u16string_view section, std::u16string text,
         const CodePage& ansi) {
  const std::optional<TextLine> written = EncodedLine(std::move(text), file, ansi);
  if (!written) return false;
  if (place.line) {
    file.lines[*place.line] = *written;
    return true;
  }
  if (place.section_end) {
    InsertLines(file, *place.section_end + 1, {*written}, ansi);
    return true;
  }
  const std::optional<TextLine> blank = EncodedLine(u"", file, ansi);
  const std::optional<TextLine> header = EncodedLine(Header(section), file, ansi);
  if (!blank || !header) return false;
  InsertLines(file, file.lines.size(), {*blank, *header, *written}, ansi);
  return true;
}

ReadSettings Parse(const TextFile& file) {
  const std::vector<Entry> entries = Entries();
  ReadSettings read;
  std::u16string section;
  for (std::size_t n = 0; n < file.lines.size(); ++n) {
    if (!file.lines[n].text) {
      read.problems.push_back(u"capture.ini：第 " + Number(static_cast<int>(n + 1)) +
                              u" 行不是该文件编码（" + std::u16string(EncodingName(file.encoding)) +
                              u"）的文本，已忽略。");
      continue;
    }
    const Line line = Read(*file.lines[n].text);
    if (line.section) section = *line.section;
    if (line.key.empty()) continue;
    const Entry* entry = Find(entries, section, line.key);
    if (entry == nullptr || entry->read(line.value, read.settings)) continue;
    read.problems.push_back(BadValueText(section, line.key, line.value, entry->want));
  }
  // A gap in the list (a place left empty or bad) closes up.
  std::erase_if(read.settings.selections, [](const RectI& r) { return r.Empty(); });
  return read;
}

}  // namespace

std::u16string BadValueText(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value, std::u16string_view want) {
  std::u16string text(u"capture.ini：[");
  text.append(section).append(u"] ").append(key).append(u" 的值“");
  // A control character is shown by its picture (␀, ␉…): a NUL would cut the line short.
  for (const char16_t c : value) {
    if (c < 0x20) {
      text += static_cast<char16_t>(0x2400 + c);
    } else {
      text += c == 0x7F ? u'\u2421' : c;
    }
  }
  text.append(u"”无效（应为").append(want).append(u"），已使用默认值。");
  return text;
}

ReadSettings ParseSettings(std::string_view file, const CodePage& ansi) {
  return Parse(ReadTextFile(file, ansi));
}

std::string SettingsFileText(const Settings& settings) {
  std::vector<std::u16string> lines{
      u"; Capture 截图的设置。常驻通知区域时，保存本文件后改动立即生效。",
      u"; 以 ; 开头的行是注释。值无效时使用默认值。",
  };
  std::u16string_view section;
  std::size_t selection = 0;
  for (const Entry& entry : Entries()) {
    if (entry.section != section) {
      section = entry.section;
      lines.emplace_back();
      lines.push_back(Header(section));
      if (section == u"selections") lines.emplace_back(u"; 最近的选区（最新的在前）：X,Y,宽,高");
    }
    if (!entry.comment.empty()) lines.push_back(u"; " + std::u16string(entry.comment));
    const std::u16string value = entry.write(settings);
    const std::u16string key = KeyOf(entry, selection);
    if (entry.key.empty()) ++selection;
    if (entry.key.empty() && value.empty()) continue;  // no selection in this place
    lines.push_back(KeyLine(key, value));
  }
  std::u16string text;
  for (const std::u16string& line : lines) text.append(line).append(u"\r\n");
  // Only a lone surrogate could fail, and the settings hold none that are not the file's.
  return kByteOrderMark + Utf8FromUtf16(text).value_or(std::string());
}

SettingsUpdate UpdatedSettingsText(std::string_view bytes, const Settings& settings,
                                   const CodePage& ansi) {
  TextFile file = ReadTextFile(bytes, ansi);
  const Settings before = Parse(file).settings;
  const bool selections_changed = settings.selections != before.selections;
  SettingsUpdate update{std::string(bytes), {}};
  std::vector<std::u16string> changed;  // what each written value would say had it failed
  std::size_t selection = 0;
  for (const Entry& entry : Entries()) {
    const std::u16string key = KeyOf(entry, selection);
    if (entry.key.empty()) ++selection;
    const std::u16string value = entry.write(settings);
    const KeyPlace place = PlaceOf(file, entry.section, key);
    // A place in the list is compared with its line: the list read closes its gaps up.
    const bool same = entry.key.empty() && selections_changed
                          ? value == (place.line ? Read(*file.lines[*place.line].text).value : u"")
                          : value == entry.write(before);
    if (same) continue;
    std::u16string problem = u"capture.ini：[";
    problem.append(entry.section).append(u"] ").append(key).append(u" 的值“").append(value);
    problem.append(u"”无法用该文件的编码（").append(EncodingName(file.encoding));
    problem.append(u"）写入，未记住；文件保持原样。");
    if (!Put(file, place, entry.section, KeyLine(key, value), ansi)) {
      update.unwritten.push_back(problem);
    }
    changed.push_back(std::move(problem));
  }
  if (changed.empty() || !update.unwritten.empty()) return update;
  // A file with a mark is read right by Notepad, whatever the system's code page.
  if (file.encoding == Encoding::Utf8) file.mark = kByteOrderMark;
  std::optional<std::string> written = FileBytes(file, ansi);
  if (!written) {
    update.unwritten = std::move(changed);
    return update;
  }
  update.file = std::move(*written);
  return update;
}

}  // namespace capture
