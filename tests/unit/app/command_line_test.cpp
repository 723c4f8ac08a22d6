#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/hotkey_notice.h"

namespace capture {
namespace {

struct ModeCase {
  std::vector<std::u16string> arguments;
  Mode mode;
};

class ModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeTest, GivesTheMode) {
  const ParsedCommand parsed = ParseArguments(GetParam().arguments);
  EXPECT_EQ(parsed.error, u"");
  EXPECT_EQ(parsed.command.mode, GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ModeTest,
                         ::testing::Values(ModeCase{{}, Mode::Capture},
                                           ModeCase{{u"--delay", u"3"}, Mode::Capture},
                                           ModeCase{{u"--tray"}, Mode::Resident},
                                           ModeCase{{u"/TRAY"}, Mode::Resident},
                                           ModeCase{{u"/Quit"}, Mode::QuitResident},
                                           ModeCase{{u"/Version"}, Mode::PrintVersion},
                                           ModeCase{{u"--full"}, Mode::Script},
                                           ModeCase{{u"/Window", u"--clipboard"}, Mode::Script},
                                           ModeCase{{u"--pin-clipboard"}, Mode::PinClipboard}));

TEST(CommandLineTest, ReadsEveryValueOfARunForAScript) {
  const ParsedCommand region = ParseArguments({u"--region", u"-1024,-5,2048,10", u"--delay",
                                               u"1.25", u"--out", u"/tmp/a b.PNG", u"--clipboard"});
  ASSERT_EQ(region.error, u"");
  const ScriptRequest& r = region.command.script;
  EXPECT_EQ(r.grab, Grab::Region);
  EXPECT_EQ((std::vector{r.x, r.y, r.width, r.height}), (std::vector{-1024, -5, 2048, 10}));
  EXPECT_EQ(region.command.delay_ms, 1250);
  EXPECT_EQ(r.out, u"/tmp/a b.PNG");  // a value, though it starts like a switch
  EXPECT_TRUE(r.clipboard);

  const ParsedCommand full = ParseArguments({u"--monitor", u"2", u"--full", u"--out", u"-"});
  ASSERT_EQ(full.error, u"");
  EXPECT_EQ(full.command.script.grab, Grab::Full);
  EXPECT_EQ(full.command.script.monitor, 2);
  EXPECT_EQ(full.command.script.out, u"-");
  EXPECT_FALSE(full.command.script.clipboard);
  EXPECT_EQ(full.command.delay_ms, 0);

  const ParsedCommand window = ParseArguments({u"--window"});
  EXPECT_EQ(window.command.script.grab, Grab::Window);
  EXPECT_FALSE(window.command.script.out.has_value());
  EXPECT_FALSE(window.command.script.scroll);

  for (const auto& grab : {std::vector<std::u16string>{u"--window"},
                           std::vector<std::u16string>{u"--region", u"0,0,9,9"}}) {
    std::vector<std::u16string> arguments = grab;
    arguments.push_back(u"/Scroll");
    const ParsedCommand scroll = ParseArguments(arguments);
    ASSERT_EQ(scroll.error, u"");
    EXPECT_EQ(scroll.command.mode, Mode::Script);
    EXPECT_TRUE(scroll.command.script.scroll);
  }
}

struct ErrorCase {
  std::vector<std::u16string> arguments;
  std::u16string named;  // what the error must name
};

class ErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTest, NamesTheBadValue) {
  const std::u16string error = ParseArguments(GetParam().arguments).error;
  EXPECT_NE(error.find(GetParam().named), std::u16string::npos)
      << std::string(error.begin(), error.end());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, ErrorTest,
    ::testing::Values(
        ErrorCase{{u"tray"}, u"tray"}, ErrorCase{{u"-tray"}, u"-tray"},
        ErrorCase{{u"--tray2"}, u"--tray2"}, ErrorCase{{u""}, u"无法识别"},
        ErrorCase{{u"--bogus"}, u"--bogus"}, ErrorCase{{u"--tray", u"--quit"}, u"--tray"},
        ErrorCase{{u"--version", u"--tray"}, u"--version"},
        ErrorCase{{u"--tray", u"--delay", u"3"}, u"--tray"},
        ErrorCase{{u"--tray", u"--tray"}, u"--tray"}, ErrorCase{{u"--full", u"--full"}, u"--full"},
        ErrorCase{{u"--full", u"--window"}, u"只能选一个"},
        ErrorCase{{u"--region", u"0,0,1,1", u"--full"}, u"只能选一个"},
        ErrorCase{{u"--out", u"x.png"}, u"--out"}, ErrorCase{{u"--clipboard"}, u"--clipboard"},
        ErrorCase{{u"--monitor", u"1"}, u"--monitor"},
        ErrorCase{{u"--window", u"--monitor", u"1"}, u"--monitor"},
        ErrorCase{{u"--full", u"--monitor", u"0"}, u"--monitor 0"},
        ErrorCase{{u"--full", u"--monitor", u"x"}, u"--monitor x"},
        ErrorCase{{u"--region"}, u"--region"}, ErrorCase{{u"--region", u"1,2,3"}, u"1,2,3"},
        ErrorCase{{u"--region", u"1,2,3,4,5"}, u"1,2,3,4,5"},
        ErrorCase{{u"--region", u"1,2,0,4"}, u"1,2,0,4"},
        ErrorCase{{u"--region", u"1,2,-3,4"}, u"1,2,-3,4"},
        ErrorCase{{u"--region", u"1,-,3,4"}, u"1,-,3,4"},
        ErrorCase{{u"--region", u"1, 2,3,4"}, u"1, 2,3,4"},
        ErrorCase{{u"--region", u"99999999999,0,1,1"}, u"99999999999"},
        ErrorCase{{u"--full", u"--delay", u"-1"}, u"--delay -1"},
        ErrorCase{{u"--full", u"--delay", u"1."}, u"--delay 1."},
        ErrorCase{{u"--full", u"--delay", u"0.0001"}, u"0.0001"},
        ErrorCase{{u"--full", u"--delay", u"86401"}, u"86401"},
        ErrorCase{{u"--full", u"--delay"}, u"--delay"},
        ErrorCase{{u"--full", u"--out", u""}, u"--out"},
        ErrorCase{{u"--pin-clipboard", u"--full"}, u"--pin-clipboard"},
        ErrorCase{{u"--scroll"}, u"--scroll"},
        ErrorCase{{u"--full", u"--scroll"}, u"--scroll 只能与 --region 或 --window 同用"},
        ErrorCase{{u"--window", u"--scroll", u"--scroll"}, u"--scroll"}));

TEST(ResidentCommandTest, QuotesThePathAndAsksForTheTray) {
  EXPECT_EQ(ResidentCommand(u"C:\\Program Files\\截图\\capture.exe"),
            u"\"C:\\Program Files\\截图\\capture.exe\" --tray");
}

TEST(HotkeyNoticeTest, SaysWhichKeyCapturesAndHowToFreePrintScreen) {
  EXPECT_EQ(HotkeyNotice(Hotkey::PrintScreen, true), std::nullopt);

  const std::u16string taken = HotkeyNotice(Hotkey::CtrlPrintScreen, false)->text;
  EXPECT_NE(taken.find(u"Ctrl+Print Screen 截图"), std::u16string::npos);
  EXPECT_NE(taken.find(u"其他程序"), std::u16string::npos);
  EXPECT_EQ(taken.find(u"设置"), std::u16string::npos);

  const std::u16string snipping = HotkeyNotice(Hotkey::CtrlPrintScreen, true)->text;
  EXPECT_NE(snipping.find(u"Ctrl+Print Screen 截图"), std::u16string::npos);
  EXPECT_NE(snipping.find(u"“设置 › 辅助功能 › 键盘”"), std::u16string::npos);
  EXPECT_NE(snipping.find(u"关闭“使用 Print Screen 键打开屏幕截图”"), std::u16string::npos);

  const std::u16string none = HotkeyNotice(Hotkey::None, false)->text;
  EXPECT_NE(none.find(u"选择“截图”"), std::u16string::npos);
  // The balloon holds at most 255 characters.
  EXPECT_LT(HotkeyNotice(Hotkey::None, true)->text.size(), 256u);
}

}  // namespace
}  // namespace capture

namespace capture {
namespace {

TEST(HotkeyNoticeTest, BalloonsOfTheSettingsFitAndSayWhatTheyMust) {
  EXPECT_EQ(HotkeyKeptNotice(u"Ctrl+A", u"F7").text, u"热键 Ctrl+A 已被其他程序占用，仍使用 F7。");
  EXPECT_EQ(HotkeyKeptNotice(u"Ctrl+A", u"").text, u"热键 Ctrl+A 已被其他程序占用，现在没有热键。");

  const std::u16string folder = u"D:\\" + std::u16string(300, u'长');
  const std::u16string saved = QuickSavedNotice(folder + u"\\截图 1.png").text;
  EXPECT_LE(saved.size(), 255u);
  EXPECT_TRUE(saved.starts_with(u"…"));
  EXPECT_NE(saved.find(u"长\\截图 1.png\n单击此处打开文件夹。"), std::u16string::npos);

  EXPECT_EQ(SettingsProblemsNotice({u"a", u"b"}).text, u"a\nb");
  const std::vector<std::u16string> many(10, std::u16string(60, u'x'));
  const std::u16string problems = SettingsProblemsNotice(many).text;
  EXPECT_LE(problems.size(), 255u);
  EXPECT_TRUE(problems.ends_with(u"\n另有 7 处无效。"));
  EXPECT_LE(SettingsProblemsNotice({std::u16string(400, u'y')}).text.size(), 255u);
}

}  // namespace
}  // namespace capture
