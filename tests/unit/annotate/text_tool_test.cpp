#include <gtest/gtest.h>

#include <string>

#include "annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

struct TextTool : ::testing::Test {
  TextTool() { h.ClickOn(ButtonId(ToolbarButton::Text)); }

  // Opens the box with a click at (x, y) and types the text into it.
  void OpenAndType(float x, float y, const std::u16string& text) {
    h.Click(x, y);
    h.run.TextChanged(ControlId::TextBox, text);
  }

  AnnotateHarness h;
  const Control& box = h[ControlId::TextBox];
  const std::vector<fake::FakeSurface::TextCall>& drawn = h.fake.surface.text_calls;
};

TEST_F(TextTool, FirstRelease_OpensTheBoxAtTheReleasePointWithFocusAndDrawsNothing) {
  const Picture before = h.Shown();
  h.run.MouseDown(button::kLeft, 150, 160);
  h.run.MouseUp(button::kLeft, 400.5f, 300.25f);  // dragged out of the selection

  EXPECT_TRUE(box.visible);
  EXPECT_EQ(box.left, 400.5f);
  EXPECT_EQ(box.top, 300.25f);
  EXPECT_EQ(box.width, 25);
  EXPECT_TRUE(h.fake.window.text_box_focused);
  EXPECT_TRUE(h.tool_drag().InProgress());
  EXPECT_TRUE(h.fake.surface.Persistent());
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(h.fake.surface.retained(), before);
  EXPECT_EQ(h.form.history.Current(), 1);

  // The open box keeps the stroke alive; a move with no button previews nothing.
  h.run.MouseMove(0, 200, 200);
  EXPECT_TRUE(h.fake.surface.Persistent());
}

TEST_F(TextTool, Typing_WidensTheBoxToTheMeasuredTextAndNeverNarrowsIt) {
  OpenAndType(150, 160, u"ab");
  EXPECT_EQ(box.width, 25);
  h.run.TextChanged(ControlId::TextBox, u"你好世界abc");
  EXPECT_EQ(box.width, h.fake.surface.TextWidth(u"你好世界abc"));
  EXPECT_GT(box.width, 25);
  h.run.TextChanged(ControlId::TextBox, u"你");
  EXPECT_EQ(box.width, h.fake.surface.TextWidth(u"你好世界abc"));
}

TEST_F(TextTool, SecondRelease_DrawsTheTextWithTheStyleChosenMeanwhileAndStoresIt) {
  OpenAndType(150.5f, 160.5f, u"标注 ok");
  h.ClickOn(SwatchId(13));
  h.run.ComboClick(ControlId::FontSizeList, u"20");

  h.Click(600, 20);  // anywhere on the window, outside the selection too

  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].x, 150);  // the box's corner, halves to even
  EXPECT_EQ(drawn[0].y, 160);
  EXPECT_EQ(drawn[0].text, u"标注 ok");
  EXPECT_EQ(drawn[0].colour, kBlue);
  EXPECT_EQ(drawn[0].points, 20);
  EXPECT_EQ(h.ShownPixel(151, 161), kBlue);
  EXPECT_EQ(box.fore_colour, kBlue);
  EXPECT_EQ(box.font_points, 20);
  EXPECT_FALSE(box.visible);
  EXPECT_EQ(box.caption, u"");
  EXPECT_FALSE(h.tool_drag().InProgress());
  EXPECT_EQ(h.form.history.Current(), 2);
}

TEST_F(TextTool, EmptyBox_CommitDrawsNothingButStoresASnapshot_NextClickOpensAfresh) {
  const Picture before = h.Shown();
  h.Click(150, 160);
  h.Click(250, 220);
  EXPECT_EQ(h.Shown(), before);
  EXPECT_FALSE(box.visible);
  EXPECT_EQ(h.form.history.Current(), 2);

  h.run.TextChanged(ControlId::TextBox, u"");
  h.Click(120, 200);
  EXPECT_TRUE(box.visible);
  EXPECT_EQ(box.left, 120);
  EXPECT_EQ(box.width, 25);
}

TEST_F(TextTool, EmptyBox_ClosedByAHandlePressStoresNothingAndTheResizeGoesAhead) {
  h.Click(150, 160);
  const PointF handle = h.form.controls.Origin(HandleId(Handle::BottomRight));
  h.run.MouseDown(button::kLeft, handle.x + 1, handle.y + 1);
  h.run.MouseMove(button::kLeft, 340, 280);
  h.run.MouseUp(button::kLeft, 340, 280);

  EXPECT_FALSE(box.visible);
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(h.form.history.Count(), 1);
  EXPECT_EQ(h[ControlId::Selection].width, 240);
}

TEST_F(TextTool, FontSizeThatIsNotAUsableNumber_FallsBackToTheLastUsableSize) {
  int drawn_texts = 0;  // each text away from the others, which a press on them would take
  auto draw_with_size = [this, &drawn_texts](const std::u16string& size) {
    h[ControlId::FontSizeField].caption = size;
    const int column = drawn_texts % 4, row = drawn_texts / 4;
    ++drawn_texts;
    OpenAndType(static_cast<float>(110 + column * 45), static_cast<float>(105 + row * 30), u"x");
    h.Click(250, 220);
    EXPECT_EQ(box.font_points, drawn.back().points);
    return drawn.back().points;
  };

  EXPECT_EQ(draw_with_size(u"abc"), 11) << "nothing usable yet: the start size";
  EXPECT_EQ(draw_with_size(u"14"), 14);
  const std::u16string unusable[] = {u"",      u"  ",    u"abc",    u"0", u"-5",  u"1e3",
                                     u"12abc", u"1.2.3", u"100000", u".", u"0.5", u"720.5"};
  for (const std::u16string& size : unusable) {
    SCOPED_TRACE(std::string(size.begin(), size.end()));
    EXPECT_EQ(draw_with_size(size), 14);
  }
  EXPECT_EQ(draw_with_size(u" 10.5 "), 10.5f);
  EXPECT_EQ(draw_with_size(u"720"), 720);
  EXPECT_EQ(h.fake.window.closes, 0);
}

TEST(TextToolOpenBox, IsDrawnIntoTheCopyOfCopyAndQuitAndOfSave) {
  for (const ToolbarButton button : {ToolbarButton::CopyQuit, ToolbarButton::Save}) {
    AnnotateHarness h;
    h.ClickOn(ButtonId(ToolbarButton::Text));
    h.Click(150, 160);
    h.run.TextChanged(ControlId::TextBox, u"abc");

    h.ClickOn(ButtonId(button));

    ASSERT_TRUE(h.fake.clipboard.content);
    EXPECT_EQ(ColourOf(h.fake.clipboard.content->at(51, 61)), kRed) << static_cast<int>(button);
    EXPECT_FALSE(h[ControlId::TextBox].visible);
  }
}

TEST(TextToolOpenBox, IsDrawnIntoTheCopyOfADoubleClick) {
  // A press on the finished selection with no tool chosen arms the double-click's hit test.
  AnnotateHarness h;
  h.Click(200, 200);
  h.ClickOn(ButtonId(ToolbarButton::Text));
  h.Click(150, 160);
  h.run.TextChanged(ControlId::TextBox, u"abc");

  // Delivered alone: the first click of a real double-click would commit the box by itself.
  h.run.DoubleClick(button::kLeft, 250, 220);

  ASSERT_TRUE(h.fake.clipboard.content);
  EXPECT_EQ(ColourOf(h.fake.clipboard.content->at(51, 61)), kRed);
  EXPECT_EQ(h.fake.window.closes, 1);
}

TEST_F(TextTool, OpenBox_ChoosingAnotherToolDrawsItFirst) {
  OpenAndType(150, 160, u"abc");
  h.ClickOn(ButtonId(ToolbarButton::Text));  // the text tool again keeps the box open
  EXPECT_TRUE(box.visible);

  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  EXPECT_EQ(drawn.size(), 1u);
  EXPECT_FALSE(box.visible);
  EXPECT_FALSE(h.tool_drag().InProgress());
  EXPECT_EQ(h.form.history.Current(), 2);
  EXPECT_EQ(h.choice().tool, Tool::Rectangle);
}

TEST_F(TextTool, OpenBox_UndoTakesTheTypedTextBackAndRedoBringsItBack) {
  const Picture before = h.Shown();
  OpenAndType(150, 160, u"abc");

  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_FALSE(box.visible);
  EXPECT_FALSE(h.tool_drag().InProgress());
  EXPECT_EQ(h.Shown(), before);
  EXPECT_TRUE(h.choice().active) << "still annotating";

  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.ShownPixel(151, 161), kRed);
}

}  // namespace
}  // namespace capture
