// The chrome at the DPI of its monitor: sizes and offsets scaled, the selection never.
#include <gtest/gtest.h>

#include "annotate/style_panel.h"
#include "form/repaint.h"
#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

constexpr float kStripWidth = 5880 / 15.f;  // the strip with its fifteen buttons

void ExpectAt(const Controls& c, ControlId id, float x, float y) {
  EXPECT_FLOAT_EQ(c.Origin(id).x, x) << c[id].name;
  EXPECT_FLOAT_EQ(c.Origin(id).y, y) << c[id].name;
}
void ExpectSize(const Controls& c, ControlId id, float width, float height) {
  EXPECT_FLOAT_EQ(c.Extent(id).x, width) << c[id].name;
  EXPECT_FLOAT_EQ(c.Extent(id).y, height) << c[id].name;
}

PointF Centre(const Controls& c, ControlId id) {
  const PointF o = c.Origin(id), e = c.Extent(id);
  return {o.x + e.x / 2, o.y + e.y / 2};
}

// One monitor at the parameter's DPI; a selection dragged from (600, 100) to (900, 300).
struct ChromeAtDpi : ::testing::TestWithParam<int> {
  ChromeAtDpi() {
    h.fake.screen.monitors = {{{0, 0, 1600, 1000}, GetParam()}};
    h.run.DisplayChanged();
    h.Drag(600, 100, 900, 300);
  }
  void ClickOn(ControlId id) {
    const PointF p = Centre(c, id);
    h.Click(p.x, p.y);
  }

  const float k = static_cast<float>(GetParam()) / 96;
  FormHarness h{1600, 1000};
  const Controls& c = h.form.controls;
};

TEST_P(ChromeAtDpi, ToolbarLabelsAndHandlesTakeTheScaleAndTheSelectionDoesNot) {
  EXPECT_EQ(h.form.SelectionRect(), (RectI{600, 100, 900, 300}));
  ExpectSize(c, ControlId::Selection, 300, 200);

  ExpectSize(c, ControlId::Toolbar, kStripWidth * k, 26 * k);
  ExpectAt(c, ControlId::Toolbar, 900 - kStripWidth * k, 300 + 4 * k);
  ExpectAt(c, ButtonId(ToolbarButton::Rectangle), 900 - kStripWidth * k + 100 / 15.f * k,
           300 + 9 * k);
  ExpectSize(c, ButtonId(ToolbarButton::Rectangle), 16 * k, 16 * k);

  for (int i = 0; i < 8; ++i) ExpectSize(c, HandleId(i), 4 * k, 4 * k);
  ExpectAt(c, HandleId(Handle::TopLeft), 600 - 2 * k, 100 - 2 * k);
  ExpectAt(c, HandleId(Handle::BottomRight), 900 - 2 * k, 300 - 2 * k);

  ExpectAt(c, ControlId::SizeLabel, 600 + 2 * k, 100 + 2 * k);
  ExpectAt(c, ControlId::ColourLabel, 600 + 2 * k, 100 + 21 * k);
  ExpectSize(c, ControlId::SizeLabel, 185 * k, 17 * k);
}

TEST_P(ChromeAtDpi, PressesFindTheScaledControlsAndTextIsDrawnAtTheMonitorsDpi) {
  EXPECT_EQ(c.HitTest(Centre(c, HandleId(Handle::BottomRight))), HandleId(Handle::BottomRight));
  ClickOn(ButtonId(ToolbarButton::Text));  // the text tool
  ASSERT_TRUE(c.ShownOnScreen(ControlId::StylePanel));
  ExpectAt(c, ControlId::StylePanel, 900 - kStripWidth * k, 300 + 33 * k);
  ExpectSize(c, SwatchId(13), 200 / 15.f * k, 200 / 15.f * k);

  ClickOn(SwatchId(13));
  EXPECT_EQ(CurrentColour(h.form), Rgb(0, 0, 255));

  h.Click(650, 150);  // opens the text box at the release point
  EXPECT_FLOAT_EQ(h[ControlId::TextBox].left, 650);
  EXPECT_FLOAT_EQ(c.Extent(ControlId::TextBox).x, 25 * k);
  h.run.TextChanged(ControlId::TextBox, u"ok");
  h.Click(880, 280);  // away from the box
  ASSERT_EQ(h.fake.surface.text_calls.size(), 1u);
  EXPECT_EQ(h.fake.surface.text_calls[0].points, 11);
  EXPECT_EQ(h.fake.surface.text_calls[0].dpi, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Dpi, ChromeAtDpi, ::testing::Values(96, 144, 192));

// A 96-DPI monitor on the left, a 192-DPI one on the right.
struct MixedDpi : ::testing::Test {
  MixedDpi() {
    h.fake.screen.monitors = {{{0, 0, 1000, 1000}, 96}, {{1000, 0, 2600, 1000}, 192}};
    h.run.DisplayChanged();
    h.Drag(300, 100, 600, 300);
  }
  FormHarness h{2600, 1000};
  const Controls& c = h.form.controls;
};

TEST_F(MixedDpi, ChromeTakesTheScaleOfTheMonitorHoldingTheSelectionsBottomRightCorner) {
  ExpectSize(c, HandleId(Handle::TopLeft), 4, 4);
  ExpectSize(c, ControlId::Toolbar, kStripWidth, 26);

  // Moved 700 to the right, the corner lies on the right monitor while the drag goes on.
  h.run.MouseDown(button::kLeft, 400, 200);
  h.run.MouseMove(button::kLeft, 1100, 200);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{1000, 100, 1300, 300}));
  ExpectSize(c, HandleId(Handle::BottomRight), 8, 8);
  ExpectAt(c, HandleId(Handle::BottomRight), 1296, 296);
  ExpectAt(c, ControlId::ColourLabel, 1004, 142);
  h.run.MouseUp(button::kLeft, 1100, 200);
  ExpectSize(c, ControlId::Toolbar, 2 * kStripWidth, 52);
  // Wider than the selection's part on that monitor, it is held at the monitor's left edge.
  ExpectAt(c, ControlId::Toolbar, 1000, 308);
  ExpectSize(c, ControlId::Selection, 300, 200);

  // And back.
  h.Drag(1100, 200, 400, 200);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{300, 100, 600, 300}));
  ExpectSize(c, HandleId(Handle::BottomRight), 4, 4);
  ExpectAt(c, ControlId::Toolbar, 600 - kStripWidth, 304);
}

TEST_F(MixedDpi, DpiChangeOfTheMonitorRelaysTheShownChromeAndRepaintsIt) {
  const Controls before = c;
  h.fake.screen.monitors[0].dpi = 144;
  h.run.DisplayChanged();

  ExpectSize(c, ControlId::Toolbar, 1.5f * kStripWidth, 39);
  ExpectAt(c, ControlId::Toolbar, 600 - 1.5f * kStripWidth, 306);
  ExpectAt(c, HandleId(Handle::TopLeft), 297, 97);
  ExpectAt(c, ControlId::SizeLabel, 303, 103);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{300, 100, 600, 300}));
  // The strip's new place is repainted, although it still starts at the same height.
  const RectI strip = c.Bounds(ControlId::Toolbar);
  bool covered = false;
  for (const RectI& r : ChangedAreas(before, c)) covered = covered || Union(r, strip) == r;
  EXPECT_TRUE(covered);
}

}  // namespace
}  // namespace capture
