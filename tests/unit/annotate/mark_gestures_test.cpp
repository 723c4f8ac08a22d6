// Editing drawn marks through the run: selecting, moving, resizing, restyling, deleting and
// retyping them, each one step of the history, and the run's mode along the way.
#include <gtest/gtest.h>

#include "annotate/mark_edit.h"
#include "annotate/render.h"
#include "annotate_harness.h"
#include "run/run_mode.h"

namespace capture {
namespace {

using testing::AnnotateHarness;
using testing::Crop;

// The picture the document draws afresh on the frozen screen, every mosaic blurred anew.
Picture DrawnAfresh(AnnotateHarness& h) {
  fake::FakeSurface fresh;
  fresh.Freeze(h.fake.screen);
  fresh.EndPreview();
  History drawn;
  drawn.Start();
  Document copy;
  for (const MarkPtr& mark : h.form.history.Shown().marks) {
    Mark anew = *mark;
    anew.rendered.reset();
    copy.marks.push_back(std::make_shared<const Mark>(std::move(anew)));
  }
  ShowDocument(copy, drawn, fresh);
  return fresh.background();
}

const Mark& Last(const AnnotateHarness& h) {
  return *h.form.history.Shown().marks.back();
}

TEST(MarkGestures, DrawnMarkIsSelected_APressOnItsEdgeMovesIt_OneStepUndoneToTheFrozenPicture) {
  AnnotateHarness h;
  const Picture frozen = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 120, 200, 160);
  const Picture drawn = h.Shown();
  EXPECT_EQ(ModeOf(h.run.state()), RunMode::MarkSelected);
  for (int i = 0; i < kHandles; ++i) EXPECT_TRUE(h[MarkHandleId(i)].visible) << i;

  h.MoveTo({121, 130});
  EXPECT_EQ(h.fake.window.pointer, Pointer::SizeAll);
  h.MoveTo({120, 140});
  EXPECT_EQ(h.fake.window.pointer, Pointer::SizeWE) << "its left handle";
  h.MoveTo({150, 140});
  EXPECT_EQ(h.fake.window.pointer, Pointer::Cross);
  h.run.MouseDown(button::kLeft, 121, 130);
  h.run.MouseMove(button::kLeft, 121, 160);
  EXPECT_EQ(ModeOf(h.run.state()), RunMode::MarkDragged);
  EXPECT_EQ(h.form.history.Count(), 2) << "nothing stored while it is dragged";
  h.run.MouseUp(button::kLeft, 121, 200);  // the release's own place counts
  EXPECT_EQ(h.form.history.Current(), 3);
  EXPECT_EQ(Last(h).points[0].y, 190);
  EXPECT_EQ(h.Shown(), DrawnAfresh(h));
  EXPECT_EQ(Crop(h.Shown(), {110, 110, 210, 130}), Crop(frozen, {110, 110, 210, 130}));
  EXPECT_EQ(h[MarkHandleId(0)].top, 190 - 2);

  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), drawn);
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), frozen);
  EXPECT_FALSE(h[MarkHandleId(0)].visible);
}

TEST(MarkGestures, HandleDragsResize_ShiftSquares_TheCopyIsTheDocumentWithoutHandles) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Ellipse));
  h.Drag(120, 120, 200, 160);
  h.run.MouseDown(button::kLeft, 200, 160);  // the bottom-right handle
  h.run.MouseMove(button::kLeft, 240, 170, true);
  h.run.MouseUp(button::kLeft, 240, 170, true);
  EXPECT_EQ(MarkBox(Last(h)).right - 120, MarkBox(Last(h)).bottom - 120);
  EXPECT_EQ(h.form.history.Current(), 3);

  h.run.KeyPress({'C', true, false, false});
  ASSERT_TRUE(h.fake.clipboard.content);
  EXPECT_EQ(*h.fake.clipboard.content, Crop(DrawnAfresh(h), {100, 100, 300, 250}));
}

TEST(MarkGestures, AMosaicMovedOverAMarkHidesIt_AndShowsWhatLayUnderItsOldPlace) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 120, 160, 150);
  const Picture rectangle = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Mosaic));
  h.ClickOn(ChoiceId(1));  // blur
  h.Drag(200, 180, 260, 230);
  h.Drag(230, 205, 150, 140);  // from inside it, 80 left and 65 up: over the rectangle
  EXPECT_EQ(h.form.history.Current(), 4);
  EXPECT_EQ(h.Shown(), DrawnAfresh(h));
  EXPECT_NE(Crop(h.Shown(), {120, 115, 180, 165}), Crop(rectangle, {120, 115, 180, 165}))
      << "the rectangle is blurred";
  EXPECT_EQ(Crop(h.Shown(), {200, 180, 260, 230}), Crop(rectangle, {200, 180, 260, 230}));
}

TEST(MarkGestures, KeysDeleteAndNudgeTheSelectedMark_EscapeLetsItGoFirst) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Arrow));
  h.Drag(120, 120, 200, 160);
  h.run.KeyPress({key::kRight, false, false, false});
  h.run.KeyPress({key::kDown, false, true, false});
  EXPECT_EQ(Last(h).points[0].x, 121);
  EXPECT_EQ(Last(h).points[0].y, 130);
  EXPECT_EQ(h.form.history.Current(), 4) << "each key one step";
  h.run.KeyPress({key::kEscape, false, false, false});
  EXPECT_EQ(ModeOf(h.run.state()), RunMode::ToolChosen);
  EXPECT_EQ(h.fake.window.closes, 0);
  h.run.KeyPress({key::kDelete, false, false, false});
  EXPECT_EQ(h.form.history.Shown().marks.size(), 1u) << "nothing selected: nothing deleted";
  h.run.MouseDown(button::kLeft, 161, 150);
  h.run.MouseUp(button::kLeft, 161, 150);
  h.run.KeyPress({key::kBackspace, false, false, false});
  EXPECT_TRUE(h.form.history.Shown().marks.empty());
  EXPECT_EQ(h.form.history.Current(), 5);
  h.run.KeyPress({key::kEscape, false, false, false});
  EXPECT_EQ(h.fake.window.closes, 1);
}

TEST(MarkGestures, DeletingAStepRenumbersTheLaterOnes_UndoAndRedoBringThemBack) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Steps));
  for (const float x : {130.f, 180.f, 230.f}) h.Click(x, 150);
  const Picture three = h.Shown();
  h.Click(180, 150);  // takes step 2
  std::vector<fake::FakeSurface::TextCall>& numbers = h.fake.surface.text_calls;
  numbers.clear();
  h.run.KeyPress({key::kDelete, false, false, false});
  EXPECT_EQ(h.form.history.Shown().Steps(), 2);
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.back().text, u"2") << "step 3 drawn as 2";
  EXPECT_GT(numbers.back().x, 220);
  const Picture two = h.Shown();
  EXPECT_EQ(two, DrawnAfresh(h));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), three);
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.Shown(), two);
}

TEST(MarkGestures, TheStylePanelShowsAndRestylesTheSelectedMark_OneStep) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Pen));
  h.ClickOn(ChoiceId(2));
  h.Drag(120, 120, 200, 160);
  h.ClickOn(ChoiceId(0));
  const float thin = Last(h).size;
  EXPECT_EQ(h.form.history.Current(), 3);
  h.ClickOn(SwatchId(13));  // blue
  EXPECT_EQ(Last(h).colour, testing::kBlue);
  EXPECT_EQ(Last(h).size, thin);
  EXPECT_EQ(h.form.history.Current(), 4);
  EXPECT_EQ(h.Shown(), DrawnAfresh(h));
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));  // a tool for a new mark lets the pen go
  EXPECT_EQ(ModeOf(h.run.state()), RunMode::ToolChosen);
  h.Drag(220, 200, 260, 230);
  EXPECT_EQ(Last(h).colour, testing::kBlue) << "the new mark takes the choice";

  h.run.MouseDown(button::kLeft, 160, 140);  // the pen stroke again
  h.run.MouseUp(button::kLeft, 160, 140);
  EXPECT_EQ(h.run.state().annotate.choice.panel_tool, Tool::Pen);
  EXPECT_TRUE(h[ChoiceMarkId(0)].visible) << "its size is the one marked";
}

TEST(MarkGestures, ADoubleClickRetypesAText_EnterCommitsOneStep_EmptiedTextIsRemoved) {
  AnnotateHarness h;
  const Picture frozen = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Text));
  h.Click(120, 120);
  h.run.TextChanged(ControlId::TextBox, u"ab");
  h.run.KeyPress({key::kReturn, false, false, false});
  ASSERT_EQ(h.form.history.Current(), 2);
  const Picture typed = h.Shown();

  h.DoubleClick(125, 125);
  EXPECT_EQ(h.fake.window.closes, 0) << "a double-click on a mark never copies";
  EXPECT_TRUE(h[ControlId::TextBox].visible);
  EXPECT_EQ(h[ControlId::TextBox].caption, u"ab");
  EXPECT_EQ(ModeOf(h.run.state()), RunMode::TextBoxOpen);
  EXPECT_EQ(Crop(h.Shown(), {118, 118, 160, 140}), Crop(frozen, {118, 118, 160, 140}))
      << "the box shows the text instead of the mark";
  h.run.TextChanged(ControlId::TextBox, u"abc");
  h.Click(250, 220);  // outside the box
  EXPECT_EQ(Last(h).text, u"abc");
  EXPECT_EQ(h.form.history.Current(), 3);
  EXPECT_EQ(h.form.history.Shown().marks.size(), 1u);

  h.DoubleClick(125, 125);
  h.run.TextChanged(ControlId::TextBox, u"");
  h.run.KeyPress({key::kReturn, false, false, false});
  EXPECT_TRUE(h.form.history.Shown().marks.empty());
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), typed);
}

TEST(MarkGestures, TheSelectionResizedAfterDrawing_KeepsEveryStep) {
  AnnotateHarness h;
  const Picture frozen = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 120, 200, 160);
  h.Drag(150, 170, 280, 230);
  const PointF corner = h.Centre(HandleId(Handle::BottomRight));
  h.run.state().annotate.choice.active = false;  // with a tool chosen a handle does not resize
  h.Drag(corner.x, corner.y, 250, 200);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{100, 100, 250, 200}));
  EXPECT_EQ(h.form.history.Current(), 3);
  EXPECT_EQ(h.form.history.Shown().marks.size(), 2u) << "a mark outside the selection stays";
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), frozen);
  h.run.KeyPress({'C', true, false, false});
  EXPECT_EQ(*h.fake.clipboard.content, Crop(frozen, {100, 100, 250, 200}));
}

TEST(MarkGestures, TheModeFollowsTheGestures) {
  testing::FormHarness h;
  const auto mode = [&h] { return ModeOf(h.run.state()); };
  EXPECT_EQ(mode(), RunMode::Aiming);
  h.run.MouseDown(button::kLeft, 100, 100);
  h.run.MouseMove(button::kLeft, 300, 250);
  EXPECT_EQ(mode(), RunMode::DrawingSelection);
  h.run.MouseUp(button::kLeft, 300, 250);
  EXPECT_EQ(mode(), RunMode::SelectionFinished);
  h.run.KeyPress({'R', false, false, false});
  EXPECT_EQ(mode(), RunMode::ToolChosen);
  h.Drag(120, 120, 200, 160);
  EXPECT_EQ(mode(), RunMode::MarkSelected);
  h.run.MouseDown(button::kLeft, 120, 140);
  EXPECT_EQ(mode(), RunMode::MarkDragged);
  h.run.MouseUp(button::kLeft, 120, 140);
  EXPECT_EQ(mode(), RunMode::MarkSelected);
  h.run.MouseDown(button::kLeft, 250, 200);  // elsewhere: a new mark, the old one let go
  EXPECT_EQ(mode(), RunMode::ToolChosen);
  h.run.MouseUp(button::kLeft, 250, 200);
  EXPECT_EQ(mode(), RunMode::MarkSelected);
  h.run.KeyPress({'T', false, false, false});  // a tool for a new mark lets it go
  EXPECT_EQ(mode(), RunMode::ToolChosen);
  h.Click(150, 220);
  EXPECT_EQ(mode(), RunMode::TextBoxOpen);
}

}  // namespace
}  // namespace capture
