#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/text_file.h"
#include "app/utf8.h"
#include "platform/fake/fake_code_page.h"

namespace capture {
namespace {

std::string Utf8(std::u16string_view text) {
  return Utf8FromUtf16(text).value();
}

// Read and updated with the fake's code page, which holds 截图设置片新桌面 at their GBK codes.
ReadSettings Parse(std::string_view file) {
  return ParseSettings(file, fake::FakeCodePage{});
}
SettingsUpdate Update(std::string_view file, const Settings& settings) {
  return UpdatedSettingsText(file, settings, fake::FakeCodePage{});
}

TEST(SettingsTest, MissingOrEmptyFileGivesTheDefaults) {
  const ReadSettings read = Parse("");
  const Settings& s = read.settings;
  EXPECT_TRUE(read.problems.empty());
  EXPECT_EQ(s.capture_hotkey, (KeyChord{0, kPrintScreenKey}));
  EXPECT_TRUE(s.pin_clipboard_hotkey.None());
  EXPECT_EQ(s.save.quick.folder, u"");  // Screenshots in the Pictures folder
  EXPECT_EQ(s.save.quick.pattern, u"截图 {yyyy}-{MM}-{dd} {HH}{mm}{ss}");
  EXPECT_EQ(s.save.quick.extension, u"png");
  EXPECT_EQ(s.save.jpeg_quality, 80);
  EXPECT_TRUE(s.save.copy_on_quick_save);
  EXPECT_TRUE(s.save.last_folder.empty());
  EXPECT_TRUE(s.save.last_format.empty());
  EXPECT_TRUE(s.selections.empty());
  EXPECT_TRUE(s.restore_pins);
  EXPECT_EQ(s.scroll_max_height, 30000);
}

TEST(SettingsTest, ReadsUtf8WithOrWithoutByteOrderMarkAndIgnoresWhatItDoesNotKnow) {
  const std::string body = Utf8(
      u"; 注释\r\n"
      u"  [Quick_Save]  \r\n"
      u"Pattern = 屏幕 {n} \r\n"
      u"colour = red\n"
      u"[hotkeys]\n"
      u"# another comment\n"
      u"capture=ctrl + shift + a\n"
      u"a line without an equals sign\n"
      u"[unknown]\n"
      u"pattern = 不是这个\n"
      u"[save]\n"
      u"format = JPEG\n"
      u"jpeg_quality = 95\n"
      u"[PINS]\n"
      u"restore = 否\n");
  for (const std::string& file : {body, "\xEF\xBB\xBF" + body}) {
    const ReadSettings read = Parse(file);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.settings.save.quick.pattern, u"屏幕 {n}");
    EXPECT_EQ(read.settings.capture_hotkey, (KeyChord{modifier::kCtrl | modifier::kShift, 'A'}));
    EXPECT_EQ(read.settings.save.quick.extension, u"jpeg");
    EXPECT_EQ(read.settings.save.jpeg_quality, 95);
    EXPECT_FALSE(read.settings.restore_pins);
  }
}

TEST(SettingsTest, EachBadValueIsReportedOnceByNameAndItsDefaultUsed) {
  const ReadSettings read =
      Parse(Utf8(u"[hotkeys]\ncapture = Ctrl+Ctrl+A\npin_clipboard = Hyper+Q\n"
                 u"[quick_save]\nfolder = a\tb\npattern = a/b {n}\ncopy = maybe\n"
                 u"[save]\nformat = webp\njpeg_quality = 101\nlast_format = doc\n"
                 u"[selections]\n1 = 10,20,0,5\n2 = 10,20,30\n3 = 1,2,3,4\n"
                 u"[scroll]\nmax_height = 0\n"));
  const Settings defaults;
  EXPECT_EQ(read.problems.size(), 11u);
  EXPECT_EQ(read.problems[0],
            u"capture.ini：[hotkeys] capture 的值“Ctrl+Ctrl+A”无效（应为如 PrintScreen、"
            u"Ctrl+Shift+A，或留空），已使用默认值。");
  EXPECT_NE(read.problems[6].find(u"jpeg_quality 的值“101”"), std::u16string::npos);
  const Settings& s = read.settings;
  EXPECT_EQ(s.capture_hotkey, defaults.capture_hotkey);
  EXPECT_EQ(s.pin_clipboard_hotkey, defaults.pin_clipboard_hotkey);
  EXPECT_EQ(s.save.quick.folder, defaults.save.quick.folder);
  EXPECT_EQ(s.save.quick.pattern, defaults.save.quick.pattern);
  EXPECT_EQ(s.save.quick.extension, u"png");
  EXPECT_EQ(s.save.jpeg_quality, 80);
  EXPECT_TRUE(s.save.copy_on_quick_save);
  EXPECT_EQ(s.selections, (std::vector<RectI>{{1, 2, 4, 6}}));
  EXPECT_EQ(s.scroll_max_height, 30000);
}

// A control character would cut the file's name short (a NUL: every name the same, so the search
// for a free one never ends); a device name writes to the device, or fails every save.
TEST(SettingsTest, ControlCharactersAndDeviceNamesAreBadValues) {
  using namespace std::literals;
  for (const std::u16string& pattern : {u"shot\0x"s, u"a\x1F"s, u"b\x7F"s, u"c\td"s, u"CON"s,
                                        u"nul.txt"s, u"Aux "s, u"com1"s, u"LPT9.x.y"s, u"prn"s}) {
    for (const std::u16string_view key : {u"pattern", u"folder"}) {
      if (key == u"folder" && pattern.find_first_of(u"\0\x1F\x7F\t"s) == pattern.npos) continue;
      const std::u16string line = std::u16string(key) + u" = " + pattern + u"\n";
      const ReadSettings read = Parse(Utf8(u"[quick_save]\n" + line));
      ASSERT_EQ(read.problems.size(), 1u) << Utf8(line);
      EXPECT_EQ(read.problems[0].find_first_of(u"\0\x1F\x7F\t"s), std::u16string::npos);
      EXPECT_EQ(read.settings.save.quick.pattern, Settings{}.save.quick.pattern);
      EXPECT_EQ(read.settings.save.quick.folder, Settings{}.save.quick.folder);
    }
  }
  EXPECT_NE(Parse("[quick_save]\npattern = a\0b\x7F\n"sv).problems[0].find(u"“a␀b␡”"),
            std::u16string::npos);
  for (const char16_t* pattern : {u"CONSOLE", u"COM10", u"com{n}", u"LPT.1", u"con-{n}"}) {
    const ReadSettings read =
        Parse(Utf8(u"[quick_save]\npattern = " + std::u16string(pattern) + u"\n"));
    EXPECT_TRUE(read.problems.empty()) << Utf8(pattern);
    EXPECT_EQ(read.settings.save.quick.pattern, pattern);
  }
}

TEST(SettingsTest, KeyChordsReadAndWriteTheirNames) {
  for (const auto& [text, chord, written] :
       std::initializer_list<std::tuple<std::u16string_view, KeyChord, std::u16string_view>>{
           {u"PrintScreen", {0, kPrintScreenKey}, u"PrintScreen"},
           {u"prtsc", {0, kPrintScreenKey}, u"PrintScreen"},
           {u"Shift+Alt+F12", {modifier::kAlt | modifier::kShift, 0x7B}, u"Alt+Shift+F12"},
           {u"Win+5", {modifier::kWin, '5'}, u"Win+5"},
           {u"ctrl+pageup", {modifier::kCtrl, 0x21}, u"Ctrl+PageUp"},
           {u"无", {}, u""},
           {u"", {}, u""},
       }) {
    EXPECT_EQ(ParseKeyChord(text), chord) << std::string(text.begin(), text.end());
    EXPECT_EQ(KeyChordText(chord), written);
  }
  for (std::u16string_view bad : {u"Ctrl", u"Ctrl+", u"F25", u"F0", u"A+B", u"Ctrl+Alt+Ctrl+X"}) {
    EXPECT_FALSE(ParseKeyChord(bad)) << std::string(bad.begin(), bad.end());
  }
}

Settings Changed() {
  Settings s;
  s.capture_hotkey = {modifier::kCtrl | modifier::kAlt, 'P'};
  s.pin_clipboard_hotkey = {0, 0x71};
  s.save.quick = {u"D:\\截图", u"图 {yyyy}{MM}{dd}-{n}", u"jpg"};
  s.save.jpeg_quality = 60;
  s.save.copy_on_quick_save = false;
  s.save.last_folder = u"C:\\Users\\李\\桌面";
  s.save.last_format = u"gif";
  s.restore_pins = false;
  s.scroll_max_height = 4000;
  for (int i = 0; i < 20; ++i) s.selections.push_back({-i, i, 100 + i, 50 + 2 * i});
  return s;
}

void ExpectSame(const Settings& a, const Settings& b) {
  EXPECT_EQ(a.capture_hotkey, b.capture_hotkey);
  EXPECT_EQ(a.pin_clipboard_hotkey, b.pin_clipboard_hotkey);
  EXPECT_EQ(a.save.quick.folder, b.save.quick.folder);
  EXPECT_EQ(a.save.quick.pattern, b.save.quick.pattern);
  EXPECT_EQ(a.save.quick.extension, b.save.quick.extension);
  EXPECT_EQ(a.save.jpeg_quality, b.save.jpeg_quality);
  EXPECT_EQ(a.save.copy_on_quick_save, b.save.copy_on_quick_save);
  EXPECT_EQ(a.save.last_folder, b.save.last_folder);
  EXPECT_EQ(a.save.last_format, b.save.last_format);
  EXPECT_EQ(a.selections, b.selections);
  EXPECT_EQ(a.restore_pins, b.restore_pins);
  EXPECT_EQ(a.scroll_max_height, b.scroll_max_height);
}

TEST(SettingsTest, AWrittenFileReadsBackAsTheSameSettings) {
  const std::string defaults = SettingsFileText(Settings{});
  EXPECT_TRUE(defaults.starts_with("\xEF\xBB\xBF; "));
  const ReadSettings read_defaults = Parse(defaults);
  EXPECT_TRUE(read_defaults.problems.empty());
  ExpectSame(read_defaults.settings, Settings{});

  const ReadSettings read = Parse(SettingsFileText(Changed()));
  EXPECT_TRUE(read.problems.empty());
  ExpectSame(read.settings, Changed());
}

TEST(SettingsTest, AnUpdateRewritesOnlyTheValuesThatChangedAndKeepsEveryOtherLineAsItWas) {
  const std::string file = Utf8(
      u"; 我的设置\n[save]\njpeg_quality = 70\nmine = kept\n[hotkeys]\ncapture = Bad+Key\n"
      u"[selections]\n2 = 5,5,5,5");
  Settings settings = Parse(file).settings;
  settings.save.last_folder = u"E:\\图片";
  settings.save.last_format = u"png";
  settings.save.jpeg_quality = 90;
  // The file's list closed its gap up to one selection; the new list of one replaces it.
  settings.selections = {{0, 0, 10, 10}};
  const SettingsUpdate updated = Update(file, settings);
  EXPECT_TRUE(updated.unwritten.empty());
  EXPECT_EQ(updated.file, Utf8(u"\xFEFF; 我的设置\n[save]\njpeg_quality = 90\nmine = kept\n"
                               u"last_folder = E:\\图片\nlast_format = png\n[hotkeys]\n"
                               u"capture = Bad+Key\n[selections]\n2 = \n1 = 0,0,10,10\n"));
  ExpectSame(Parse(updated.file).settings, settings);
  settings.selections.clear();
  ExpectSame(Parse(Update(updated.file, settings).file).settings, settings);
  EXPECT_EQ(Update(updated.file, Parse(updated.file).settings).file, updated.file);
  // The last line of a place counts, as the update writes it, an empty one too.
  EXPECT_TRUE(Parse("[selections]\n1 = 1,1,1,1\n1 =\n").settings.selections.empty());
}

// The text in an encoding, as a test writes it by hand.
std::string Bytes(std::u16string_view text, Encoding encoding) {
  if (encoding == Encoding::Utf8) return Utf8(text);
  if (encoding == Encoding::Ansi) return fake::FakeCodePage{}.Encode(text).value();
  std::string bytes;
  for (const char16_t c : text) {
    const char pair[] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    bytes += encoding == Encoding::Utf16Le ? std::string{pair[0], pair[1]}
                                           : std::string{pair[1], pair[0]};
  }
  return bytes;
}

struct EncodingCase {
  const char* name;
  Encoding encoding;
  std::string mark, written_mark;
};

class SettingsEncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(SettingsEncodingTest, IsReadAndWrittenBackInItsOwnEncodingWithEveryOtherByteKept) {
  const EncodingCase& c = GetParam();
  constexpr std::u16string_view kText =
      u"; 设置\n[quick_save]\nfolder = D:\\截图\n[save]\njpeg_quality = 70";
  const std::string file = c.mark + Bytes(kText, c.encoding);
  const ReadSettings read = Parse(file);
  EXPECT_TRUE(read.problems.empty());
  EXPECT_EQ(read.settings.save.quick.folder, u"D:\\截图");
  EXPECT_EQ(read.settings.save.jpeg_quality, 70);

  Settings settings = read.settings;
  settings.save.last_folder = u"E:\\新图片";
  settings.selections = {{1, 2, 4, 6}};
  const SettingsUpdate updated = Update(file, settings);
  EXPECT_TRUE(updated.unwritten.empty());
  EXPECT_EQ(updated.file,
            c.written_mark + Bytes(std::u16string(kText) +
                                       u"\nlast_folder = E:\\新图片\n\n[selections]\n1 = 1,2,3,4\n",
                                   c.encoding));
  ExpectSame(Parse(updated.file).settings, settings);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, SettingsEncodingTest,
    testing::Values(EncodingCase{"Utf8", Encoding::Utf8, "", "\xEF\xBB\xBF"},
                    EncodingCase{"Utf8WithMark", Encoding::Utf8, "\xEF\xBB\xBF", "\xEF\xBB\xBF"},
                    EncodingCase{"Utf16Le", Encoding::Utf16Le, "\xFF\xFE", "\xFF\xFE"},
                    EncodingCase{"Utf16Be", Encoding::Utf16Be, "\xFE\xFF", "\xFE\xFF"},
                    EncodingCase{"CodePage", Encoding::Ansi, "", ""}),
    [](const testing::TestParamInfo<EncodingCase>& param) {
      return std::string(param.param.name);
    });

TEST(SettingsTest, AValueTheFileCannotHoldLeavesItAsItWasAndIsNamed) {
  const std::string gbk = Bytes(u"[save]\nlast_folder = 截图\n", Encoding::Ansi);
  for (const auto& [file, value, encoding] :
       std::initializer_list<std::tuple<std::string, std::u16string, std::u16string_view>>{
           {gbk, u"E:\\照片", u"系统代码页"},  // 照 is not in the code page
           // Alone, 图's two bytes in the code page are UTF-8 for U+037C: read back, the file
           // would be taken for UTF-8 and the folder for "ͼ".
           {gbk, u"图", u"系统代码页"},
           {Utf8(u"[save]\n"), u"E:\\\xD800", u"UTF-8"},  // a lone surrogate
       }) {
    Settings settings = Parse(file).settings;
    settings.save.last_folder = value;
    const SettingsUpdate updated = Update(file, settings);
    EXPECT_EQ(updated.file, file);
    ASSERT_EQ(updated.unwritten.size(), 1u);
    EXPECT_EQ(updated.unwritten[0], u"capture.ini：[save] last_folder 的值“" + value +
                                        u"”无法用该文件的编码（" + std::u16string(encoding) +
                                        u"）写入，未记住；文件保持原样。");
  }
}

TEST(SettingsTest, ALineThatIsNoTextInTheFilesEncodingIsReportedIgnoredAndKept) {
  const std::string not_utf8 = Bytes(u"folder = D:\\截图\n", Encoding::Ansi);
  const std::string not_in_code_page = "folder = \x81\x30\n";
  for (const auto& [file, problem] : std::initializer_list<std::pair<std::string, std::u16string>>{
           {"\xEF\xBB\xBF[quick_save]\n" + not_utf8,
            u"capture.ini：第 2 行不是该文件编码（UTF-8）的文本，已忽略。"},
           {"[quick_save]\n" + not_in_code_page,
            u"capture.ini：第 2 行不是该文件编码（系统代码页）的文本，已忽略。"},
       }) {
    const ReadSettings read = Parse(file);
    EXPECT_EQ(read.problems, std::vector<std::u16string>{problem});
    EXPECT_EQ(read.settings.save.quick.folder, Settings{}.save.quick.folder);
    Settings settings = read.settings;
    settings.save.jpeg_quality = 50;
    const std::string updated = Update(file, settings).file;
    EXPECT_TRUE(updated.starts_with(file)) << updated;
  }
  EXPECT_FALSE(Utf16FromUtf8("a\xFF"));
  EXPECT_FALSE(Utf16FromUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(Utf16FromUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_FALSE(Utf16FromUtf8("\xE6\x88"));      // cut short
  EXPECT_EQ(Utf16FromUtf8("\xE6\x88\xAA\xF0\x9F\x98\x80"), u"截\U0001F600");
  EXPECT_EQ(Utf8FromUtf16(u"截\U0001F600"), "\xE6\x88\xAA\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace capture
