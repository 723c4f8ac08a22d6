#include <gtest/gtest.h>

#include <vector>

#include "annotate/annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

// A joined picture taller than the 640 x 480 screen, so no part of the screen could pass for it.
constexpr int kJoinedWidth = 200, kJoinedHeight = 900;
Picture Joined() {
  return fake::NoisePicture(kJoinedWidth, kJoinedHeight, 7);
}

std::vector<bool> Visibility(const CaptureForm& form) {
  std::vector<bool> shown;
  for (const Control& c : form.controls.All()) shown.push_back(c.visible);
  return shown;
}

// The toolbar strip as the window shows it lies on the screen.
void ExpectToolbarOnScreen(const AnnotateHarness& h) {
  const PointF top_left = h.At(ControlId::Toolbar, 0, 0);
  const PointF size = h.form.controls.Extent(ControlId::Toolbar);
  EXPECT_TRUE(h.form[ControlId::Toolbar].visible);
  EXPECT_GE(top_left.x, 0);
  EXPECT_GE(top_left.y, 0);
  EXPECT_LE(top_left.x + size.x, 640);
  EXPECT_LE(top_left.y + size.y, 480);
}

// 长截图, by its button or by L, scrolls the selection's area; the joined picture becomes the
// capture's picture, shown from its top where the selection was, all of it the selection, with
// nothing drawn on it and the marks of the screen's picture gone; the capture goes on.
TEST(ScrollSelection, JoinedPictureBecomesTheCapturesPicture) {
  for (const bool by_key : {false, true}) {
    SCOPED_TRACE(by_key ? "L" : "button");
    AnnotateHarness h;
    h.ClickOn(ButtonId(ToolbarButton::Rectangle));
    h.Drag(120, 130, 180, 170);
    h.fake.scroller.joined = Joined();
    const RectI selection = h.form.SelectionRect();

    if (by_key) {
      h.run.KeyPress({'L', false, false, false});
    } else {
      h.ClickOn(ButtonId(ToolbarButton::ScrollCapture));
    }

    EXPECT_EQ(h.fake.scroller.areas, std::vector<RectI>{selection});
    EXPECT_EQ(h.fake.scroller.said, std::vector<std::u16string>{u""});
    EXPECT_FALSE(h.form.Closed());
    EXPECT_EQ(h.Shown(), Joined());
    EXPECT_TRUE(SamePixels(h.fake.surface.Frozen(), PixelView::Of(Joined())));
    EXPECT_TRUE(h.form.history.Shown().marks.empty());
    EXPECT_EQ(h.form.SelectionRect(), (RectI{0, 0, kJoinedWidth, kJoinedHeight}));
    EXPECT_EQ(h.form.view().offset, (PointI{-selection.left, -selection.top}));
    ExpectToolbarOnScreen(h);
    EXPECT_EQ(h.fake.clipboard.puts, 0);

    // A second 长截图 on the joined picture is not offered.
    h.run.KeyPress({'L', false, false, false});
    EXPECT_EQ(h.fake.scroller.areas.size(), 1u);
  }
}

// Cancelled, the capture is as it was: the chrome, the marks, the clipboard, and it goes on.
TEST(ScrollSelection, Cancelled_LeavesTheCaptureAsItWas) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 130, 180, 170);
  const std::vector<bool> shown = Visibility(h.form);
  const Picture picture = h.Shown();

  h.ClickOn(ButtonId(ToolbarButton::ScrollCapture));

  EXPECT_EQ(h.fake.scroller.areas.size(), 1u);
  EXPECT_EQ(Visibility(h.form), shown);
  EXPECT_EQ(h.Shown(), picture);
  EXPECT_EQ(h.fake.clipboard.puts + h.fake.clipboard.empties, 0);
  EXPECT_FALSE(h.form.Closed());
  EXPECT_TRUE(h.fake.scroller.said.empty());
  EXPECT_FALSE(h.form.view().Shown());
}

// A joined picture too large to show is not lost: it goes to the clipboard whole, the panel says
// so, and the capture goes on as it was.
TEST(ScrollSelection, TooLargeToShow_GoesToTheClipboard) {
  AnnotateHarness h;
  h.Drag(120, 130, 180, 170);
  const Picture picture = h.Shown();
  h.fake.scroller.joined = Joined();
  h.fake.surface.failing_freezes = 1;

  h.ClickOn(ButtonId(ToolbarButton::ScrollCapture));

  EXPECT_EQ(h.fake.scroller.said, std::vector<std::u16string>{u"图片太大，无法显示，已复制"});
  EXPECT_EQ(h.fake.clipboard.content, Joined());
  EXPECT_EQ(h.Shown(), picture);
  EXPECT_FALSE(h.form.view().Shown());
  EXPECT_FALSE(h.form.Closed());
}

// The wheel scrolls the view within the picture, the toolbar staying on the screen; a rectangle
// dragged out after scrolling lands on the picture where the window showed it; a copy holds the
// whole picture with the rectangle, without the chrome, from the view scrolled anywhere.
TEST(ScrollSelection, WheelScrollsTheView_MarksLandOnThePicture_CopyTakesItWhole) {
  AnnotateHarness h;
  h.fake.scroller.joined = Joined();
  h.ClickOn(ButtonId(ToolbarButton::ScrollCapture));
  ASSERT_EQ(h.form.view().offset, (PointI{-100, -100}));

  h.run.MouseWheel(1, 150, 200);  // up, at the top already
  EXPECT_EQ(h.form.view().offset.y, -100);
  h.run.MouseWheel(-3, 150, 200);
  EXPECT_EQ(h.form.view().offset.y, 260);
  ExpectToolbarOnScreen(h);
  h.run.MouseWheel(-10, 150, 200);  // down, past the end: the picture's bottom at the window's
  EXPECT_EQ(h.form.view().offset.y, kJoinedHeight - 480);
  ExpectToolbarOnScreen(h);
  h.run.MouseWheel(1, 150, 200);
  const int offset_y = h.form.view().offset.y;
  ASSERT_EQ(offset_y, kJoinedHeight - 480 - 120);

  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(150, 200, 190, 260);
  const RectI drawn{50, 200 + offset_y, 91, 261 + offset_y};
  EXPECT_EQ(Changed(Joined(), h.Shown()), drawn);

  h.run.MouseWheel(10, 150, 200);  // back to the top: the rectangle is off the window
  h.ClickOn(ButtonId(ToolbarButton::CopyQuit));

  ASSERT_TRUE(h.fake.clipboard.content);
  const Picture& copied = *h.fake.clipboard.content;
  EXPECT_EQ(copied, h.Shown());
  EXPECT_EQ(Changed(Joined(), copied), drawn);
  EXPECT_TRUE(h.form.Closed());
}

// 钉在桌面 pins the whole picture; scrolled, the pin's top stands at the window's, not above it.
TEST(ScrollSelection, APinHoldsTheWholePicture_ItsTopOnTheWindow) {
  for (const int notches : {0, -3}) {
    SCOPED_TRACE(notches);
    AnnotateHarness h;
    h.fake.scroller.joined = Joined();
    h.ClickOn(ButtonId(ToolbarButton::ScrollCapture));
    h.run.MouseWheel(notches, 150, 200);

    h.ClickOn(ButtonId(ToolbarButton::Pin));

    ASSERT_EQ(h.fake.pinboard.pins.size(), 1u);
    EXPECT_EQ(h.fake.pinboard.pins[0].picture, Joined());
    EXPECT_EQ(h.fake.pinboard.pins[0].top_left, (PointI{100, notches == 0 ? 100 : 0}));
    EXPECT_TRUE(h.form.Closed());
  }
}

}  // namespace
}  // namespace capture
