// How window-level pointer input reaches the controls: hit test, capture, click.
#include <gtest/gtest.h>

#include "annotate/annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

TEST(Routing, HitTest_WindowedControlsStandAboveWindowlessOnesAndShapesAndLabelsLetThrough) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  Controls& c = h.form.controls;
  EXPECT_EQ(c.HitTest({200, 200}), ControlId::Window);  // Selection is only an outline
  EXPECT_EQ(c.HitTest({110, 108}), ControlId::Window);  // the size label is for reading
  EXPECT_EQ(c.HitTest({299, 249}), HandleId(Handle::BottomRight));

  // The toolbar strip (a panel) moved over the label: the panel wins.
  c[ControlId::Toolbar].left = 100;
  c[ControlId::Toolbar].top = 100;
  EXPECT_EQ(c.HitTest({103, 103}), ControlId::Toolbar);
  const PointF button = c.Origin(ButtonId(ToolbarButton::Quit));
  EXPECT_EQ(c.HitTest({button.x + 8, button.y + 8}), ButtonId(ToolbarButton::Quit));
}

TEST(Routing, HitTest_AChildIsSeenOnlyInsideItsContainers) {
  FormHarness h;
  Controls& c = h.form.controls;
  c[ControlId::StylePanel].visible = true;
  c[ControlId::StylePanel].left = 200;
  c[ControlId::StylePanel].top = 100;
  // The stored combo looks lie below the font-size group's visible area.
  const PointF look = c.Origin(ComboLookId(0));
  EXPECT_NE(c.HitTest({look.x + 5, look.y + 5}), ComboLookId(0));
  const PointF swatch = c.Origin(SwatchId(3));
  EXPECT_EQ(c.HitTest({swatch.x + 5, swatch.y + 5}), SwatchId(3));
}

TEST(Routing, Capture_ThePressedControlGetsEveryMoveAndTheReleaseWherever) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  const std::u16string before = h[ControlId::ColourLabel].caption;
  const Control& strip = h[ControlId::Toolbar];
  h.run.MouseDown(button::kLeft, strip.left + 2, strip.top + 2);  // the strip's background
  h.run.MouseMove(button::kLeft, 500, 400);
  EXPECT_EQ(h[ControlId::ColourLabel].caption, before);  // the window's move reaction did not run
  EXPECT_EQ(h.fake.window.pointer, Pointer::Arrow);      // the strip's did
  h.run.MouseUp(button::kLeft, 500, 400);

  h.run.MouseMove(0, 500, 400);  // free again: the window reads the pixel
  EXPECT_NE(h[ControlId::ColourLabel].caption, before);
}

TEST(Routing, Click_NeedsPressAndLeftReleaseOnTheSameControl) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  const PointF quit = h.form.controls.Origin(ButtonId(ToolbarButton::Quit));
  h.run.MouseDown(button::kLeft, quit.x + 8, quit.y + 8);
  h.run.MouseUp(button::kLeft, quit.x + 60, quit.y + 8);  // released elsewhere
  EXPECT_FALSE(h.form.Closed());
  h.Click(quit.x + 8, quit.y + 8, button::kRight);  // only the left button clicks
  EXPECT_FALSE(h.form.Closed());
  h.Click(quit.x + 8, quit.y + 8);
  EXPECT_TRUE(h.form.Closed());
}

TEST(Routing, Closed_NoReactionRunsAfterTheWindowClosed) {
  FormHarness h;
  h.run.KeyPress({key::kEscape});
  h.run.MouseDown(button::kLeft, 100, 100);
  h.run.MouseMove(button::kLeft, 200, 200);
  EXPECT_FALSE(h[ControlId::Selection].visible);
  EXPECT_EQ(h.fake.window.closes, 1);
}

TEST(Routing, LostCapture_EndsThePressWithNoReleaseAndNoClick) {
  AnnotateHarness h;
  const PointF quit = h.Centre(ButtonId(ToolbarButton::Quit));
  h.run.MouseDown(button::kLeft, quit.x, quit.y);
  h.run.CaptureLost();  // a dialog took the pointer
  h.run.MouseUp(button::kLeft, quit.x, quit.y);
  EXPECT_FALSE(h.form.Closed());

  // The window no longer holds the pointer: the next move goes to the control under it.
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.run.MouseDown(button::kLeft, 150, 150);  // a shape starts on the window
  h.run.CaptureLost();
  h.MoveTo(quit);
  EXPECT_TRUE(h[HoverSquareId(ToolbarButton::Quit)].visible);  // the quit button's hover square
}

TEST(Routing, DoubleClick_OfTheRightOrMiddleButtonIsAnOrdinaryPress) {
  for (const int button : {button::kRight, button::kMiddle}) {
    FormHarness twice, double_click;
    for (FormHarness* h : {&twice, &double_click}) h->Drag(100, 100, 300, 250);
    twice.Click(200, 200, button);
    twice.Click(200, 200, button);
    double_click.Click(200, 200, button);
    double_click.run.DoubleClick(button, 200, 200);
    double_click.run.MouseUp(button, 200, 200);

    EXPECT_EQ(double_click.form.Closed(), twice.form.Closed()) << button;
    EXPECT_EQ(double_click[ControlId::Selection].visible, twice[ControlId::Selection].visible)
        << button;
    EXPECT_EQ(double_click.fake.clipboard.puts, 0) << button;  // no copy of the selection
    EXPECT_EQ(double_click.fake.clipboard.empties, 0) << button;
  }
}

TEST(Routing, DoubleClick_OnAButtonActsOnce) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 120, 160, 160);
  h.Drag(170, 170, 200, 200);
  const PointF undo = h.Centre(ButtonId(ToolbarButton::Undo));
  h.DoubleClick(undo.x, undo.y);
  EXPECT_EQ(h.form.history.Current(), 2);

  // Twice in a row would hide the panel again; a double-click leaves the tool chosen and shown.
  const PointF ellipse = h.Centre(ButtonId(ToolbarButton::Ellipse));
  h.DoubleClick(ellipse.x, ellipse.y);
  EXPECT_EQ(h.choice().tool, Tool::Ellipse);
  EXPECT_TRUE(h[ControlId::StylePanel].visible);
}

TEST(Routing, DoubleClick_TestsItsOwnPointAgainstTheSelectionAsItIsNow) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.Click(200, 200, button::kRight);  // throws the selection away
  h.DoubleClick(600, 400);
  EXPECT_FALSE(h.form.Closed());
  EXPECT_EQ(h.fake.clipboard.puts, 0);

  h.Drag(100, 100, 300, 250);
  h.DoubleClick(110, 108);  // on the size label: the selection beneath takes it
  EXPECT_TRUE(h.form.Closed());
  EXPECT_EQ(h.fake.clipboard.content, Crop(h.fake.screen.Grab(), {100, 100, 300, 250}));
}

TEST(Routing, Labels_LetAShapeStartAndTheReadoutGoOnBeneathThem) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  const std::u16string over_label = h[ControlId::ColourLabel].caption;
  h.MoveTo({112, 112});
  EXPECT_NE(h[ControlId::ColourLabel].caption, over_label);

  h.Drag(108, 108, 150, 140);
  EXPECT_EQ(h.form.history.Current(), 2);
  EXPECT_EQ(Changed(h.fake.screen.Grab(), h.Shown()), (RectI{108, 108, 151, 141}));
}

}  // namespace
}  // namespace capture
