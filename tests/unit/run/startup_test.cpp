#include <gtest/gtest.h>

#include "form/capture_form.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"

namespace capture {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  fake::FakePlatform fake{fake::NoisePicture(320, 200)};
  CaptureForm form{fake.window, fake.screen};
  CaptureRun run{form, fake.platform};
};

TEST_F(StartupTest, Load_FreezesTheScreenAndShowsADocumentOfNoMarks) {
  run.Load();

  const RunState& state = run.state();
  EXPECT_EQ(state.selection.drag.mode, SelectionMode::Draw);
  EXPECT_FALSE(state.annotate.choice.active);
  EXPECT_FALSE(state.annotate.tool_drag.InProgress());
  EXPECT_FALSE(state.selection.drag.thrown_away);
  EXPECT_EQ(form.history.Current(), 1);
  EXPECT_EQ(form.history.Count(), 1);
  EXPECT_TRUE(form.history.Shown().marks.empty());
  EXPECT_TRUE(fake.surface.Persistent());
  EXPECT_EQ(fake.surface.background(), fake.screen.Grab());
  EXPECT_EQ(fake.surface.retained(), fake.screen.Grab());
  EXPECT_LT(form.history.Bytes(), 1024u);  // the frozen pixels are not copied
  EXPECT_EQ(fake.window.pointer, Pointer::Cross);
}

TEST_F(StartupTest, Load_HidesEveryControlAndLiftsTheToolbarAboveTheScreen) {
  run.Load();

  for (ControlId id :
       {ControlId::TextBox, ControlId::StylePanel, ControlId::FontSizeList, ControlId::Toolbar,
        ControlId::ColourLabel, ControlId::Selection, ControlId::SizeLabel}) {
    EXPECT_FALSE(form.controls.ShownOnScreen(id)) << form[id].name;
  }
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(form[HandleId(i)].visible);
  for (int i = 0; i < 9; ++i) EXPECT_FALSE(form[HoverSquareId(i)].visible);
  EXPECT_FLOAT_EQ(form[ControlId::Toolbar].top, -26.f);
  EXPECT_EQ(form.controls.HitTest({10, 10}), ControlId::Window);
}

}  // namespace
}  // namespace capture
