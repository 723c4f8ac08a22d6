#include "app/quit_resident.h"

#include <gtest/gtest.h>

namespace capture {
namespace {

struct FakeInstance : ResidentInstance {
  Asked AskToQuit() override { return asked; }
  bool WaitEnded(int milliseconds) override {
    waited = milliseconds;
    return ends;
  }
  bool Capturing() override { return capturing; }
  bool LostPins() override { return lost_pins; }

  Asked asked = Asked::Asked;
  bool ends = true;
  bool capturing = false;
  bool lost_pins = false;
  int waited = -1;
};

TEST(QuitResident, SucceedsOnlyWhenNoInstanceIsLeftAndSaysWhyOtherwise) {
  using Asked = ResidentInstance::Asked;
  struct Case {
    Asked asked;
    bool ends, capturing, lost_pins;
    int status;
    const char16_t* error;
  };
  const Case cases[] = {
      {Asked::NoneRunning, false, false, false, 0, u""},
      {Asked::Asked, true, true, false, 0, u""},
      {Asked::Asked, true, false, true, 0, u"capture: 常驻的截图程序已退出，但有贴图无法保存"},
      {Asked::Asked, false, true, false, 1, u"capture: 常驻的截图程序正在截图，截图结束后才会退出"},
      {Asked::Asked, false, false, false, 1, u"capture: 常驻的截图程序 5 秒内没有退出"},
      {Asked::Unreachable, false, false, false, 1, u"capture: 无法联系常驻的截图程序"},
  };
  for (const Case& c : cases) {
    FakeInstance instance;
    instance.asked = c.asked;
    instance.ends = c.ends;
    instance.capturing = c.capturing;
    instance.lost_pins = c.lost_pins;

    EXPECT_EQ(QuitResident(instance), (QuitOutcome{c.status, c.error}))
        << static_cast<int>(c.asked) << c.ends << c.capturing;
    EXPECT_EQ(instance.waited, c.asked == Asked::Asked ? 5000 : -1) << "the wait is bounded";
  }
}

}  // namespace
}  // namespace capture
