#include "form/repaint.h"

#include <gtest/gtest.h>

#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

TEST(Repaint, NothingChanged_NothingToRepaint) {
  Controls controls;
  EXPECT_TRUE(ChangedAreas(controls, controls).empty());
}

TEST(Repaint, HiddenControlsThatChange_NeedNoRepaint) {
  Controls before;
  Controls after = before;
  after[ControlId::Selection].left = 50;                      // hidden at start
  after[HoverSquareId(ToolbarButton::Save)].visible = false;  // already hidden
  EXPECT_TRUE(ChangedAreas(before, after).empty());
}

TEST(Repaint, MovingAPanel_RepaintsItsOldAndNewPlaceWithItsChildren) {
  Controls before;
  before[ControlId::Toolbar].visible = true;
  Controls after = before;
  after[ControlId::Toolbar].left = 500;
  const auto areas = ChangedAreas(before, after);
  bool old_place = false, new_place = false;
  for (const RectI& r : areas) {
    old_place |= PtInRect(r, 10, 10);
    new_place |= PtInRect(r, 510, 10);
  }
  EXPECT_TRUE(old_place);
  EXPECT_TRUE(new_place);
}

TEST(Repaint, DraggingALargeSelection_RepaintsOutlinesAndLabelsNotTheInside) {
  FormHarness h(3840, 2160);
  h.run.MouseDown(button::kLeft, 100, 100);
  h.run.MouseMove(button::kLeft, 3000, 2000);
  const Controls before = h.form.controls;
  h.run.MouseMove(button::kLeft, 3001, 2001);
  const auto areas = ChangedAreas(before, h.form.controls);

  for (const RectI& r : areas) EXPECT_FALSE(PtInRect(r, 1500, 1000));
  // Two outlines, two labels, eight handles: far below one percent of the screen.
  EXPECT_LT(fake::TotalArea(areas), 3840LL * 2160 / 100);
  bool outline_end = false;
  for (const RectI& r : areas) outline_end |= PtInRect(r, 3000, 1500);
  EXPECT_TRUE(outline_end);
}

TEST(Repaint, TheMagnifierHasAWindowOfItsOwn_NoMoveOfItRepaintsTheCaptureWindow) {
  FormHarness h(3840, 2160);
  h.run.MouseMove(0, 5, 5);
  h.run.MouseMove(0, 1000, 800);
  Controls before = h.form.controls;
  h.run.MouseMove(0, 1003, 801);
  ASSERT_TRUE(h[ControlId::Magnifier].visible);
  EXPECT_TRUE(ChangedAreas(before, h.form.controls).empty());
  EXPECT_TRUE(OwnWindowChanged(before, h.form.controls, ControlId::Magnifier));
  EXPECT_FALSE(OwnWindowChanged(h.form.controls, h.form.controls, ControlId::Magnifier));

  before = h.form.controls;
  h[ControlId::MagnifierHex].caption = u"已复制 #000000";
  EXPECT_TRUE(OwnWindowChanged(before, h.form.controls, ControlId::Magnifier));
  EXPECT_FALSE(OwnWindowChanged(before, h.form.controls, ControlId::Toolbar));
  h[ControlId::Magnifier].visible = false;
  EXPECT_TRUE(ChangedAreas(before, h.form.controls).empty());
}

}  // namespace
}  // namespace capture
