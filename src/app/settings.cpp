#include "app/settings.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "app/command_line.h"
#include "app/settings_keys.h"
#include "app/text_file.h"
#include "app/utf8.h"
#include "output/file_name.h"
#include "output/image_formats.h"

namespace capture {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A selection's key is its place in the list, from 1.
std::u16string KeyOf(const SettingsKey& entry, std::size_t index_among_selections) {
  if (!entry.key.empty()) return std::u16string(entry.key);
  return NumberText(static_cast<int>(index_among_selections + 1));
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
const SettingsKey* Find(const std::vector<SettingsKey>& entries, std::u16string_view section,
                        std::u16string_view key) {
  std::size_t selection = 0;
  for (const SettingsKey& entry : entries) {
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
  const std::vector<SettingsKey> entries = SettingsKeys();
  ReadSettings read;
  std::u16string section;
  for (std::size_t n = 0; n < file.lines.size(); ++n) {
    if (!file.lines[n].text) {
      read.problems.push_back(u"capture.ini：第 " + NumberText(static_cast<int>(n + 1)) +
                              u" 行不是该文件编码（" + std::u16string(EncodingName(file.encoding)) +
                              u"）的文本，已忽略。");
      continue;
    }
    const Line line = Read(*file.lines[n].text);
    if (line.section) section = *line.section;
    if (line.key.empty()) continue;
    const SettingsKey* entry = Find(entries, section, line.key);
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
  for (const SettingsKey& entry : SettingsKeys()) {
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
  for (const SettingsKey& entry : SettingsKeys()) {
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
