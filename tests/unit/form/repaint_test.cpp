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
  // Two outlines, two labels, eight handles: far below one percent of the screen; and the
  // magnifier's old and new places (the box and, each counted again, the pixels and the lines in
  // it).
  const RectI box = h.form.controls.Bounds(ControlId::Magnifier);
  const long long magnifier = 2LL * 2 * (box.right - box.left) * (box.bottom - box.top);
  EXPECT_LT(fake::TotalArea(areas), 3840LL * 2160 / 100 + magnifier);
  bool outline_end = false;
  for (const RectI& r : areas) outline_end |= PtInRect(r, 3000, 1500);
  EXPECT_TRUE(outline_end);
}

}  // namespace
}  // namespace capture
