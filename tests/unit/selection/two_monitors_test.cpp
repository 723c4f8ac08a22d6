// The chrome of a selection on a desktop of two monitors: a 1024x768 monitor left of a 1280x800
// primary. The window covers both, so its (0,0) is the left monitor's top-left, and the strip
// below the left monitor (x < 1024, y 768..800) is shown by neither.
#include <gtest/gtest.h>

#include "annotate/annotate_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

constexpr float kStripWidth = 5880 / 15.f;  // the strip with its fifteen buttons

struct TwoMonitors : FormHarness {
  TwoMonitors() : FormHarness(Picture(2304, 800)) {
    fake.screen.monitors = {{{1024, 0, 2304, 800}, 96}, {{0, 0, 1024, 768}, 96}};
    run.DisplayChanged();
  }
  void ClickOn(ControlId id) {
    const PointF o = form.controls.Origin(id);
    Click(o.x + form[id].width / 2, o.y + form[id].height / 2);
  }
};

struct StripCase {
  const char* name;
  PointF from, to;  // the selection's drag
  PointF strip;     // where the strip's top-left ends
};

class StripOnTwoMonitors : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripOnTwoMonitors, GoesOnTheMonitorOfTheSelectionsBottomRightCorner) {
  const StripCase& c = GetParam();
  TwoMonitors h;

  h.Drag(c.from.x, c.from.y, c.to.x, c.to.y);

  const Control& strip = h[ControlId::Toolbar];
  EXPECT_TRUE(strip.visible);
  EXPECT_FLOAT_EQ(strip.left, c.strip.x);
  EXPECT_FLOAT_EQ(strip.top, c.strip.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StripOnTwoMonitors,
    ::testing::Values(
        // 740 + 4 + 26 = 770: room below on the primary, none on the left monitor.
        StripCase{"ShorterMonitorInside", {100, 700}, {500, 740}, {500 - kStripWidth, 710}},
        StripCase{"TallerMonitorBelow", {1200, 700}, {1600, 740}, {1600 - kStripWidth, 744}},
        // Across the boundary: the corner is on the primary, whose left edge pins the strip.
        StripCase{"AcrossTheBoundary", {900, 100}, {1100, 740}, {1024, 744}},
        // A corner in the gap: onto the nearest monitor, not into the gap.
        StripCase{"GapNearTheLeftMonitor", {100, 700}, {600, 790}, {600 - kStripWidth, 742}},
        StripCase{"GapNearThePrimary", {500, 700}, {1020, 795}, {1024, 765}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(TwoMonitors, PanelGoesAboveTheStripWhenTheShorterMonitorEndsFirst) {
  TwoMonitors h;
  h.Drag(100, 500, 400, 720);  // strip at 724; a panel below it would end at 790 1/3
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));

  ASSERT_FLOAT_EQ(h[ControlId::Toolbar].top, 724);
  EXPECT_FLOAT_EQ(h[ControlId::StylePanel].top, 724 - 560 / 15.f - 3);
}

TEST(TwoMonitors, LabelsOfASelectionStartingInTheGapMoveOntoTheNearestMonitor) {
  TwoMonitors h;
  h.Drag(100, 780, 1500, 798);

  const Control& size = h[ControlId::SizeLabel];
  const Control& colour = h[ControlId::ColourLabel];
  EXPECT_FLOAT_EQ(size.left, 102);
  EXPECT_FLOAT_EQ(colour.left, 102);
  EXPECT_FLOAT_EQ(colour.top + colour.height, 768);
  EXPECT_FLOAT_EQ(colour.top, size.top + size.height + 2);
}

TEST(TwoMonitors, MoveDragIsKeptOnTheVirtualScreenNotOnAMonitor) {
  TwoMonitors h;
  h.Drag(1200, 700, 1400, 790);
  h.Drag(1300, 750, 100, 900);  // left and down: into the gap, and past the bottom

  const Control& selection = h[ControlId::Selection];
  EXPECT_FLOAT_EQ(selection.left, 0);
  EXPECT_FLOAT_EQ(selection.top, 800 - 90);
}

}  // namespace
}  // namespace capture
