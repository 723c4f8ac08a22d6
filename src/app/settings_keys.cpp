#include "app/settings_keys.h"

#include <optional>

#include "app/command_line.h"
#include "app/utf8.h"
#include "output/file_name.h"
#include "output/image_formats.h"

namespace capture {

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t' || text.back() == u'\r')) {
    text.remove_suffix(1);
  }
  return text;
}

std::u16string NumberText(int value) {
  std::u16string text;
  const bool negative = value < 0;
  for (long long v = negative ? -static_cast<long long>(value) : value; v != 0 || text.empty();
       v /= 10) {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + v % 10));
  }
  return negative ? u"-" + text : text;
}

namespace {

// U+0000 to U+001F and U+007F: no file or folder name holds one, and the system cuts a name
// short at a NUL.
bool HasControlCharacter(std::u16string_view text) {
  for (const char16_t c : text) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

SettingsKey HotkeyEntry(std::u16string_view key, std::u16string_view comment,
                        KeyChord Settings::*field) {
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
SettingsKey TextEntry(std::u16string_view section, std::u16string_view key,
                      std::u16string_view comment, std::u16string_view want,
                      std::u16string SaveSettings::*field, bool may_be_empty,
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

SettingsKey SelectionEntry(std::size_t index) {
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
            return NumberText(r.left) + u"," + NumberText(r.top) + u"," +
                   NumberText(r.right - r.left) + u"," + NumberText(r.bottom - r.top);
          }};
}

}  // namespace

std::vector<SettingsKey> SettingsKeys() {
  constexpr std::u16string_view kNotInName = u"\\/:*?\"<>|";
  std::vector<SettingsKey> entries{
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
       [](const Settings& s) { return NumberText(s.scroll_max_height); }},
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
       [](const Settings& s) { return NumberText(s.save.jpeg_quality); }},
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

}  // namespace capture
