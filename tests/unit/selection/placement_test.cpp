#include "selection/placement.h"

#include <gtest/gtest.h>

#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

void SetSelection(FormHarness& h, float left, float top, float width, float height) {
  Control& s = h[ControlId::Selection];
  s.left = left;
  s.top = top;
  s.width = width;
  s.height = height;
}

TEST(Placement, ImageMove_CentresHandlesExceptTheTopRightOne) {
  FormHarness h;
  SetSelection(h, 100, 100, 200, 100);
  PlaceHandles(h.form);
  const float expected[8][2] = {{98, 98},  {198, 98},  {300 - 4 / 1.5f, 98}, {98, 148},
                                {98, 198}, {198, 198}, {298, 198},           {298, 148}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_FLOAT_EQ(h[HandleId(i)].left, expected[i][0]) << i;
    EXPECT_FLOAT_EQ(h[HandleId(i)].top, expected[i][1]) << i;
    EXPECT_TRUE(h[HandleId(i)].visible);
  }
}

TEST(Placement, Toolbar_GoesUnderTheSelectionWhenItFitsAndInsideWhenNot) {
  FormHarness h(1024, 768);
  SetSelection(h, 300, 700, 400, 30);  // 700 + 30 + 4 + 26 = 760 <= 768
  PlaceToolbar(h.form);
  EXPECT_FLOAT_EQ(h[ControlId::Toolbar].top, 734);
  EXPECT_FLOAT_EQ(h[ControlId::Toolbar].left, 700 - 5880 / 15.f);
  EXPECT_TRUE(h[ControlId::Toolbar].visible);

  SetSelection(h, 300, 700, 400, 38);  // exactly at the bottom still fits
  PlaceToolbar(h.form);
  EXPECT_FLOAT_EQ(h[ControlId::Toolbar].top, 742);

  SetSelection(h, 300, 700, 400, 40);  // 770 > 768
  PlaceToolbar(h.form);
  EXPECT_FLOAT_EQ(h[ControlId::Toolbar].top, 710);
}

TEST(Placement, Toolbar_NarrowSelectionNearTheLeftEdgePinsItsLeftAtZero) {
  FormHarness h;
  SetSelection(h, 50, 100, 100, 50);
  PlaceToolbar(h.form);
  EXPECT_FLOAT_EQ(h[ControlId::Toolbar].left, 0);
  EXPECT_FLOAT_EQ(h[ControlId::Toolbar].top, 154);
}

}  // namespace
}  // namespace capture
