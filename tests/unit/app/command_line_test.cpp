#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/hotkey_notice.h"

namespace capture {
namespace {

struct ArgumentsCase {
  std::vector<std::u16string> arguments;
  std::optional<Mode> mode;
};

class ParseArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ParseArgumentsTest, GivesTheModeOrNothing) {
  EXPECT_EQ(ParseArguments(GetParam().arguments), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ParseArgumentsTest,
                         ::testing::Values(ArgumentsCase{{}, Mode::Capture},
                                           ArgumentsCase{{u"--tray"}, Mode::Resident},
                                           ArgumentsCase{{u"/tray"}, Mode::Resident},
                                           ArgumentsCase{{u"/TRAY"}, Mode::Resident},
                                           ArgumentsCase{{u"--quit"}, Mode::QuitResident},
                                           ArgumentsCase{{u"/Quit"}, Mode::QuitResident},
                                           ArgumentsCase{{u"--version"}, Mode::PrintVersion},
                                           ArgumentsCase{{u"/Version"}, Mode::PrintVersion},
                                           ArgumentsCase{{u"--version", u"--tray"}, std::nullopt},
                                           ArgumentsCase{{u"tray"}, std::nullopt},
                                           ArgumentsCase{{u"-tray"}, std::nullopt},
                                           ArgumentsCase{{u"--tray2"}, std::nullopt},
                                           ArgumentsCase{{u""}, std::nullopt},
                                           ArgumentsCase{{u"--tray", u"--quit"}, std::nullopt},
                                           ArgumentsCase{{u"--tray", u"--tray"}, std::nullopt}));

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
