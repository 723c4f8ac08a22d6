#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

TEST(Toolbar, ToolButton_SecondClickHidesThePanelAndKeepsTheTool_ThirdShowsIt) {
  AnnotateHarness h;
  const Control& panel = h[ControlId::StylePanel];

  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  EXPECT_TRUE(panel.visible);
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  EXPECT_FALSE(panel.visible);
  EXPECT_TRUE(h.choice().active);
  EXPECT_EQ(h.choice().tool, Tool::Rectangle);
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  EXPECT_TRUE(panel.visible);
}

TEST(Toolbar, ToolButton_UndoBetweenTwoClicksOnItLeavesThePanelShown) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Arrow));
  h.Drag(120, 150, 200, 200);  // something to undo, so the undo stays in annotating

  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.choice().last_button, ToolbarButton::Undo);
  h.ClickOn(ButtonId(ToolbarButton::Arrow));

  EXPECT_TRUE(h[ControlId::StylePanel].visible);
  EXPECT_EQ(h.choice().last_button, ToolbarButton::Arrow);
}

TEST(Toolbar, ToolButton_LaysThePanelOutBelowTheStripForEachTool) {
  AnnotateHarness h;
  const Control& panel = h[ControlId::StylePanel];

  h.ClickOn(ButtonId(ToolbarButton::Text));
  EXPECT_EQ(h.choice().tool, Tool::Text);
  EXPECT_FLOAT_EQ(panel.left, h[ControlId::Toolbar].left);
  EXPECT_FLOAT_EQ(panel.top, 254 + 26 + 3);
  EXPECT_TRUE(h[ControlId::FontPanel].visible);
  EXPECT_NEAR(h[ControlId::Palette].left, 78.667f, 0.001f);
  EXPECT_EQ(panel.width, 3620 / 15.f);
  EXPECT_EQ(h[ControlId::StyleFrame].width, panel.width);

  // Another tool while the panel is shown: it stays, without the font size and narrower.
  h.ClickOn(ButtonId(ToolbarButton::Ellipse));
  EXPECT_EQ(h.choice().tool, Tool::Ellipse);
  EXPECT_TRUE(panel.visible);
  EXPECT_FALSE(h[ControlId::FontPanel].visible);
  EXPECT_EQ(h[ControlId::Palette].left, 4);
  EXPECT_FLOAT_EQ(panel.width, 241.33333f - 73 - 2);
  EXPECT_EQ(h[ControlId::StyleFrame].width, panel.width);

  h.ClickOn(ButtonId(ToolbarButton::Arrow));
  EXPECT_EQ(h.choice().tool, Tool::Arrow);
}

TEST(Toolbar, ToolButton_PanelGoesAboveTheStripWhenItDoesNotFitBelow) {
  AnnotateHarness h(/*top=*/280);  // strip at 434: 434 + 26 + 3 + 37 1/3 is past 480
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));

  ASSERT_FLOAT_EQ(h[ControlId::Toolbar].top, 434);
  EXPECT_FLOAT_EQ(h[ControlId::StylePanel].top, 434 - 560 / 15.f - 3);
}

// What the screen looked like when the copy let pending repaints run for the first time.
struct AtFirstPump {
  bool strip = true, panel = true, closed = true;
  std::vector<int> sleeps;
  int clipboard_puts = -1;
};

void WatchFirstPump(AnnotateHarness& h, AtFirstPump& seen) {
  h.fake.window.on_pump = [&h, &seen, first = true]() mutable {
    if (!std::exchange(first, false)) return;
    seen = {h[ControlId::Toolbar].visible, h[ControlId::StylePanel].visible,
            h.fake.window.closes > 0, h.fake.window.sleeps, h.fake.clipboard.puts};
  };
}

TEST(Toolbar, CopyQuit_HidesTheChromeRepaintsThenCopiesTheAnnotatedSelectionAndCloses) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 150, 250, 200);
  // Half-pixel edges round to even: 100, 100, 300, 250.
  Control& selection = h[ControlId::Selection];
  selection.left = selection.top = 100.5f;
  AtFirstPump seen;
  WatchFirstPump(h, seen);

  h.ClickOn(ButtonId(ToolbarButton::CopyQuit));

  EXPECT_FALSE(seen.strip);
  EXPECT_FALSE(seen.panel);
  EXPECT_EQ(seen.sleeps, std::vector<int>{10});
  EXPECT_EQ(seen.clipboard_puts, 0);
  EXPECT_FALSE(seen.closed);
  ASSERT_TRUE(h.fake.clipboard.content);
  EXPECT_EQ(*h.fake.clipboard.content, Crop(h.Shown(), {100, 100, 300, 250}));
  EXPECT_EQ(ColourOf(h.fake.clipboard.content->at(20, 50)), kRed);  // the rectangle's corner
  EXPECT_EQ(h.fake.clipboard.content->at(10, 10), h.fake.screen.Grab().at(110, 110));
  EXPECT_FALSE(selection.visible);
  EXPECT_EQ(h.fake.window.closes, 1);
}

TEST(Toolbar, Save_CopiesFirstThenShowsTheChromeAgainAndClosesEvenWhenCancelled) {
  for (const bool panel_shown : {true, false}) {
    SCOPED_TRACE(panel_shown);
    AnnotateHarness h;
    h.ClickOn(ButtonId(ToolbarButton::Ellipse));
    if (!panel_shown) h.ClickOn(ButtonId(ToolbarButton::Ellipse));
    AtFirstPump seen;
    WatchFirstPump(h, seen);

    h.ClickOn(ButtonId(ToolbarButton::Save));

    EXPECT_FALSE(seen.strip);
    EXPECT_FALSE(seen.panel);
    EXPECT_EQ(seen.sleeps, std::vector<int>{10});
    EXPECT_EQ(seen.clipboard_puts, 0);
    ASSERT_TRUE(h.fake.clipboard.content);
    EXPECT_EQ(*h.fake.clipboard.content, Crop(h.Shown(), {100, 100, 300, 250}));
    EXPECT_TRUE(h[ControlId::Toolbar].visible);
    EXPECT_EQ(h[ControlId::StylePanel].visible, panel_shown);
    EXPECT_TRUE(h[ControlId::Selection].visible);
    EXPECT_EQ(h.fake.window.closes, 1);
  }
}

TEST(Toolbar, Save_WritesTheCopyWhateverTheClipboardHoldsWhenTheDialogCloses) {
  // Ctrl+C in the file-name box, a clipboard manager: a picture, or something that is no bitmap.
  for (const std::optional<Picture>& other :
       {std::optional(Picture(3, 3, 0xABCDEF)), std::optional<Picture>()}) {
    SCOPED_TRACE(other.has_value());
    AnnotateHarness h;
    h.fake.dialogs.save_answer = u"C:\\shots\\a.png";
    h.fake.dialogs.on_save_dialog = [&] { h.fake.clipboard.PutFromElsewhere(other); };

    h.ClickOn(ButtonId(ToolbarButton::Save));

    ASSERT_EQ(h.fake.gdiplus.bitmaps.size(), 1u);
    EXPECT_EQ(h.fake.gdiplus.bitmaps[0], Crop(h.Shown(), {100, 100, 300, 250}));
    EXPECT_TRUE(h.fake.gdiplus.files.contains(u"C:\\shots\\a.png"));
    EXPECT_EQ(h.fake.clipboard.content, other);
    EXPECT_TRUE(h.fake.dialogs.messages.empty());
    EXPECT_EQ(h.fake.window.closes, 1);
  }
}

TEST(Toolbar, Hover_ShowsOneSquareUntilThePointerCrossesTheStrip) {
  AnnotateHarness h;
  auto shown = [&h] {
    std::vector<int> squares;
    for (int i = 0; i < kToolbarButtons; ++i) {
      if (h[HoverSquareId(i)].visible) squares.push_back(i);
    }
    return squares;
  };

  h.MoveTo(h.Centre(ButtonId(ToolbarButton::Quit)));
  EXPECT_EQ(shown(), std::vector<int>{3});
  h.MoveTo(h.Centre(ButtonId(ToolbarButton::CopyQuit)));
  EXPECT_EQ(shown(), std::vector<int>{1});
  h.MoveTo({400, 400});  // onto the window: the square stays
  EXPECT_EQ(shown(), std::vector<int>{1});
  h.MoveTo(h.At(ControlId::Toolbar, 2, 2));
  EXPECT_EQ(shown(), std::vector<int>{});
  EXPECT_EQ(h.fake.window.pointer, Pointer::Arrow);
}

}  // namespace
}  // namespace capture
