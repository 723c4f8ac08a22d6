#include <gtest/gtest.h>

#include "annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

struct StylePanel : ::testing::Test {
  StylePanel() { h.ClickOn(ButtonId(ToolbarButton::Text)); }
  AnnotateHarness h;
};

TEST_F(StylePanel, Swatch_TheReleaseAfterAPressChoosesTheColourWithAnyButton_TheCurrentOneNothing) {
  EXPECT_EQ(CurrentColour(h.form), kRed);
  const Colour colours[] = {Rgb(0, 0, 255), Rgb(0, 128, 0), Rgb(255, 255, 0)};
  const int swatches[] = {13, 4, 11};
  const int buttons[] = {button::kLeft, button::kRight, button::kMiddle};
  for (int k = 0; k < 3; ++k) {
    const PointF p = h.Centre(SwatchId(swatches[k]));
    h.run.MouseDown(buttons[k], p.x, p.y);
    EXPECT_NE(CurrentColour(h.form), colours[k]) << "chosen on the press";
    h.run.MouseUp(buttons[k], 600, 20);  // far away: the pressed swatch still gets it
    EXPECT_EQ(CurrentColour(h.form), colours[k]);
  }
  EXPECT_EQ(h.fake.window.closes, 0);

  h.ClickOn(SwatchId(kCurrentColourSwatch));  // the current colour onto itself: nothing changes
  EXPECT_EQ(CurrentColour(h.form), colours[2]);
}

TEST_F(StylePanel, Swatch_HoverBordersStayUntilTheBackgroundOrTheCurrentColour) {
  auto bordered = [this] {
    std::vector<int> swatches;
    for (int i = 0; i < 17; ++i) {
      if (h[SwatchId(i)].has_border) swatches.push_back(i);
    }
    return swatches;
  };
  h.MoveTo(h.Centre(SwatchId(3)));
  h.MoveTo(h.Centre(SwatchId(4)));
  EXPECT_EQ(bordered(), (std::vector<int>{3, 4}));
  h.MoveTo(h.Centre(SwatchId(kCurrentColourSwatch)));
  EXPECT_EQ(bordered(), std::vector<int>{});

  h.MoveTo(h.Centre(SwatchId(12)));
  h.MoveTo(h.At(ControlId::Palette, 30.5f, 1));  // the gap between the two kinds of swatch
  EXPECT_EQ(bordered(), std::vector<int>{});

  h.MoveTo(h.At(ControlId::StylePanel, 1, 1));
  EXPECT_EQ(h.fake.window.pointer, Pointer::Arrow);
}

TEST_F(StylePanel, ComboLookAlike_PressTogglesTheListAndTheLooksFollowThePointer) {
  const Control& combo = h[ControlId::FontSizeBox];
  const PointF arrow = h.At(ControlId::FontSizeBox, 40, 11);

  h.MoveTo(arrow);
  EXPECT_EQ(combo.picture, Art::ComboHover);
  h.Click(arrow.x, arrow.y);
  EXPECT_EQ(combo.picture, Art::ComboPressed);
  EXPECT_TRUE(h.fake.window.combo_dropped);
  h.Click(arrow.x, arrow.y);
  EXPECT_FALSE(h.fake.window.combo_dropped);
  EXPECT_EQ(combo.picture, Art::ComboPressed);

  h.MoveTo(h.At(ControlId::FontPanel, 18, 10));
  EXPECT_EQ(combo.picture, Art::ComboNormal);
}

}  // namespace
}  // namespace capture
