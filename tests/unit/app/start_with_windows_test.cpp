#include "app/start_with_windows.h"

#include <gtest/gtest.h>

#include <utility>

namespace capture {
namespace {

constexpr char16_t kProgram[] = u"C:\\Program Files\\Capture\\capture.exe";
constexpr char16_t kOurs[] = u"\"C:\\Program Files\\Capture\\capture.exe\" --tray";

struct FakeRunValue : RunValue {
  explicit FakeRunValue(std::optional<std::u16string> at_start, bool refusing = false)
      : value(std::move(at_start)), refuses(refusing) {}
  std::optional<std::u16string> Read() override { return value; }
  bool Write(const std::u16string& command) override {
    if (refuses) return false;
    value = command;
    return true;
  }
  bool Remove() override {
    if (refuses) return false;
    value.reset();
    return true;
  }

  std::optional<std::u16string> value;
  bool refuses = false;
};

TEST(StartWithWindows, IsCheckedOnlyForExactlyTheCommandThisProgramWrites) {
  const std::optional<std::u16string> values[] = {std::nullopt, u"\"D:\\old\\capture.exe\" --tray",
                                                  u"\"c:\\program files\\capture\\capture.exe\"",
                                                  u"other.exe"};
  for (const auto& value : values) {
    FakeRunValue run(value);
    EXPECT_FALSE(StartsWithWindows(run, kProgram));
  }
  FakeRunValue ours(kOurs);
  EXPECT_TRUE(StartsWithWindows(ours, kProgram));
  EXPECT_FALSE(StartsWithWindows(ours, u""));
}

TEST(StartWithWindows, TogglingWritesOrRemovesOnlyWhatIsThisProgramsAndSaysWhyNot) {
  struct Case {
    std::optional<std::u16string> before;
    const char16_t* program;
    bool refuses;
    std::optional<std::u16string> after;
    const char16_t* message;
  };
  const Case cases[] = {
      {std::nullopt, kProgram, false, kOurs, u""},
      {kOurs, kProgram, false, std::nullopt, u""},
      // Left by this program at an old path: taken over.
      {u"\"D:\\Old Place\\CAPTURE.EXE\" --tray", kProgram, false, kOurs, u""},
      // Another program's value of the same name.
      {u"\"C:\\Tools\\other.exe\" --tray", kProgram, false, u"\"C:\\Tools\\other.exe\" --tray",
       u"另一个程序的开机启动项使用了同一名称，未作改动。"},
      {u"capture.exe --tray", kProgram, false, u"capture.exe --tray",
       u"另一个程序的开机启动项使用了同一名称，未作改动。"},
      {std::nullopt, u"", false, std::nullopt, u"无法读取程序的路径，未设置开机启动。"},
      {std::nullopt, kProgram, true, std::nullopt, u"无法设置开机启动。"},
      {kOurs, kProgram, true, kOurs, u"无法取消开机启动。"},
  };
  for (const Case& c : cases) {
    FakeRunValue run(c.before, c.refuses);

    EXPECT_EQ(ToggleStartWithWindows(run, c.program), c.message) << "case " << (&c - cases);
    EXPECT_EQ(run.value, c.after) << "case " << (&c - cases);
  }
}

}  // namespace
}  // namespace capture
