// How window-level pointer input reaches the controls: hit test, capture, click.
#include <gtest/gtest.h>

#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

TEST(Routing, HitTest_WindowedControlsStandAboveWindowlessOnesAndShapesLetThrough) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  Controls& c = h.form.controls;
  EXPECT_EQ(c.HitTest({200, 200}), ControlId::Window);  // Shape1 is only an outline
  EXPECT_EQ(c.HitTest({110, 108}), ControlId::LblPos);
  EXPECT_EQ(c.HitTest({299, 249}), Image1(6));

  // The toolbar strip (a panel) moved over the label: the panel wins.
  c[ControlId::Picture1].left = 100;
  c[ControlId::Picture1].top = 100;
  EXPECT_EQ(c.HitTest({103, 103}), ControlId::Picture1);
  const PointF button = c.Origin(Image2(3));
  EXPECT_EQ(c.HitTest({button.x + 8, button.y + 8}), Image2(3));
}

TEST(Routing, HitTest_AChildIsSeenOnlyInsideItsContainers) {
  FormHarness h;
  Controls& c = h.form.controls;
  c[ControlId::Picture2].visible = true;
  c[ControlId::Picture2].left = 200;
  c[ControlId::Picture2].top = 100;
  // The stored combo looks lie below the font-size group's visible area.
  const PointF look = c.Origin(Image4(0));
  EXPECT_NE(c.HitTest({look.x + 5, look.y + 5}), Image4(0));
  const PointF swatch = c.Origin(Pcolor(3));
  EXPECT_EQ(c.HitTest({swatch.x + 5, swatch.y + 5}), Pcolor(3));
}

TEST(Routing, Capture_ThePressedControlGetsEveryMoveAndTheReleaseWherever) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  const std::u16string before = h[ControlId::lblInfo].caption;
  const Control& strip = h[ControlId::Picture1];
  h.form.MouseDown(button::kLeft, 0, strip.left + 2, strip.top + 2);  // the strip's background
  h.form.MouseMove(button::kLeft, 0, 500, 400);
  EXPECT_EQ(h[ControlId::lblInfo].caption, before);  // the window's move reaction did not run
  EXPECT_EQ(h.fake.window.pointer, Pointer::Arrow);  // the strip's did
  h.form.MouseUp(button::kLeft, 0, 500, 400);

  h.form.MouseMove(0, 0, 500, 400);  // free again: the window reads the pixel
  EXPECT_NE(h[ControlId::lblInfo].caption, before);
}

TEST(Routing, Click_NeedsPressAndLeftReleaseOnTheSameControl) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  const PointF quit = h.form.controls.Origin(Image2(3));
  h.form.MouseDown(button::kLeft, 0, quit.x + 8, quit.y + 8);
  h.form.MouseUp(button::kLeft, 0, quit.x + 60, quit.y + 8);  // released elsewhere
  EXPECT_FALSE(h.form.Closed());
  h.Click(quit.x + 8, quit.y + 8, button::kRight);  // only the left button clicks
  EXPECT_FALSE(h.form.Closed());
  h.Click(quit.x + 8, quit.y + 8);
  EXPECT_TRUE(h.form.Closed());
}

TEST(Routing, Closed_NoReactionRunsAfterTheWindowClosed) {
  FormHarness h;
  h.form.KeyPress(27);
  h.form.MouseDown(button::kLeft, 0, 100, 100);
  h.form.MouseMove(button::kLeft, 0, 200, 200);
  EXPECT_FALSE(h[ControlId::Shape1].visible);
  EXPECT_EQ(h.fake.window.closes, 1);
}

}  // namespace
}  // namespace capture
