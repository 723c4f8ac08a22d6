// Failures that are not the user's doing: out of memory in a reaction, a screen that cannot be
// read.
#include <gtest/gtest.h>

#include "annotate/annotate_harness.h"
#include "run/run_error.h"

namespace capture {
namespace {

using namespace testing;

TEST(Failure, FailedMark_IsReportedAndLeavesTheHistoryAsItWas_LaterStepsAreExact) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 120, 160, 160);
  const Picture first = h.Shown();

  h.run.MouseDown(button::kLeft, 170, 170);
  h.run.MouseMove(button::kLeft, 200, 200);
  h.fake.surface.failing_draws = 1;  // the release cannot draw the rectangle
  h.run.MouseUp(button::kLeft, 200, 200);
  ASSERT_EQ(h.fake.dialogs.messages.size(), 1u);
  EXPECT_EQ(h.fake.dialogs.messages[0].title, u"错误");
  EXPECT_NE(h.fake.dialogs.messages[0].text.find(u"错误号: 7"), std::u16string::npos);
  EXPECT_EQ(h.form.history.Current(), 2);
  EXPECT_EQ(h.form.history.Count(), 2);
  EXPECT_EQ(h.Shown(), first);
  EXPECT_FALSE(h.form.Closed());

  // The next mark is drawn on the picture the history holds.
  h.Drag(210, 210, 240, 240);
  const Picture both = h.Shown();
  EXPECT_EQ(h.form.history.Current(), 3);
  EXPECT_EQ(Changed(first, both), (RectI{210, 210, 241, 241}));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), first);
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.Shown(), both);
}

TEST(Failure, FailedCopy_IsReportedAndPutsTheChromeBack) {
  AnnotateHarness h;
  h.fake.surface.failing_copies = 1;
  h.DoubleClick(200, 200);
  ASSERT_EQ(h.fake.dialogs.messages.size(), 1u);
  EXPECT_NE(h.fake.dialogs.messages[0].text.find(u"错误号: 7"), std::u16string::npos);
  EXPECT_FALSE(h.form.Closed());
  for (ControlId id : {ControlId::Toolbar, ControlId::Selection, ControlId::SizeLabel,
                       HandleId(Handle::BottomRight)}) {
    EXPECT_TRUE(h[id].visible) << h[id].name;
  }
}

TEST(Failure, StartupWithAScreenThatCannotBeRead_GivesUpAndSaysWhy) {
  fake::FakePlatform fake{Picture()};
  CaptureForm form{fake.window, fake.screen};
  CaptureRun run{form, fake.platform};
  try {
    run.Load();
    FAIL() << "start-up went on without a picture";
  } catch (const StartupFailed& failed) {
    EXPECT_EQ(failed.error().number, run_error::kScreenUnreadable);
    EXPECT_EQ(failed.error().description, u"无法读取屏幕");
  }
}

}  // namespace
}  // namespace capture
