#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/utf8.h"

namespace capture {
namespace {

std::string Utf8(std::u16string_view text) {
  return Utf8FromUtf16(text);
}

TEST(SettingsTest, MissingOrEmptyFileGivesTheDefaults) {
  const ReadSettings read = ParseSettings("");
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
    const ReadSettings read = ParseSettings(file);
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
      ParseSettings(Utf8(u"[hotkeys]\ncapture = Ctrl+Ctrl+A\npin_clipboard = Hyper+Q\n"
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
      const ReadSettings read = ParseSettings(Utf8(u"[quick_save]\n" + line));
      ASSERT_EQ(read.problems.size(), 1u) << Utf8(line);
      EXPECT_EQ(read.problems[0].find_first_of(u"\0\x1F\x7F\t"s), std::u16string::npos);
      EXPECT_EQ(read.settings.save.quick.pattern, Settings{}.save.quick.pattern);
      EXPECT_EQ(read.settings.save.quick.folder, Settings{}.save.quick.folder);
    }
  }
  EXPECT_NE(ParseSettings("[quick_save]\npattern = a\0b\x7F\n"sv).problems[0].find(u"“a␀b␡”"),
            std::u16string::npos);
  for (const char16_t* pattern : {u"CONSOLE", u"COM10", u"com{n}", u"LPT.1", u"con-{n}"}) {
    const ReadSettings read =
        ParseSettings(Utf8(u"[quick_save]\npattern = " + std::u16string(pattern) + u"\n"));
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
  const ReadSettings read_defaults = ParseSettings(defaults);
  EXPECT_TRUE(read_defaults.problems.empty());
  ExpectSame(read_defaults.settings, Settings{});

  const ReadSettings read = ParseSettings(SettingsFileText(Changed()));
  EXPECT_TRUE(read.problems.empty());
  ExpectSame(read.settings, Changed());
}

TEST(SettingsTest, AnUpdateRewritesOnlyTheValuesThatChangedAndKeepsTheRest) {
  const std::string file =
      Utf8(u"; 我的设置\n[save]\njpeg_quality = 70\nmine = kept\n[hotkeys]\ncapture = Bad+Key\n");
  Settings settings = ParseSettings(file).settings;
  settings.save.last_folder = u"E:\\图片";
  settings.save.jpeg_quality = 90;
  settings.selections = {{0, 0, 10, 10}};
  const std::string updated = UpdatedSettingsText(file, settings);
  EXPECT_EQ(updated, Utf8(u"\xFEFF; 我的设置\r\n[save]\r\nlast_folder = E:\\图片\r\n"
                          u"jpeg_quality = 90\r\nmine = kept\r\n[hotkeys]\r\n"
                          u"capture = Bad+Key\r\n\r\n[selections]\r\n1 = 0,0,10,10\r\n"));
  ExpectSame(ParseSettings(updated).settings, settings);
  settings.selections.clear();
  ExpectSame(ParseSettings(UpdatedSettingsText(updated, settings)).settings, settings);
}

TEST(SettingsTest, BytesThatAreNoUtf8AreReadAsReplacementCharacters) {
  EXPECT_EQ(Utf16FromUtf8("a\xFF\xC3(\xE6\x88\xAA\xF0\x9F\x98\x80"), u"a\uFFFD\uFFFD(截\U0001F600");
  EXPECT_EQ(Utf16FromUtf8("\xC0\xAF\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8FromUtf16(u"截\U0001F600"), "\xE6\x88\xAA\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace capture
