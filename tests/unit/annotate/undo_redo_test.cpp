#include <gtest/gtest.h>

#include <vector>

#include "annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

TEST(UndoRedo, TwoUndosOneRedo_ThenANewAnnotationMakesTheThirdUnreachable) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  std::vector<Picture> after{h.Shown()};  // after[k]: the picture after k annotations
  for (const float x : {110.f, 160.f, 210.f}) {
    h.Drag(x, 150, x + 40, 190);
    after.push_back(h.Shown());
  }

  h.ClickOn(ButtonId(ToolbarButton::Undo));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), after[1]);
  EXPECT_EQ(h.fake.surface.window_layer(), after[1]);
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.Shown(), after[2]);
  EXPECT_EQ(h.form.history.Current(), 3);
  EXPECT_EQ(h.form.history.Count(), 4);

  h.Drag(110, 200, 150, 240);
  const Picture newest = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.Shown(), newest);
  EXPECT_EQ(h.form.history.Current(), 4);
  EXPECT_EQ(h.form.history.Count(), 4);
}

TEST(UndoRedo, UndoRightAfterStartUp_ReturnsToSelectingAndLeavesThePicture) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  const Picture before = h.Shown();

  h.ClickOn(ButtonId(ToolbarButton::Undo));

  EXPECT_EQ(h.drag().mode, SelectionMode::Draw);
  EXPECT_FALSE(h.choice().active);
  EXPECT_EQ(h.form.history.Current(), 1);
  for (ControlId id : {ControlId::Selection, ControlId::Toolbar, ControlId::StylePanel,
                       ControlId::SizeLabel, ControlId::ColourLabel}) {
    EXPECT_FALSE(h[id].visible) << h[id].name;
  }
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(h[HandleId(i)].visible);
  const Control& selection = h[ControlId::Selection];
  EXPECT_EQ(selection.width, 0);
  EXPECT_EQ(selection.height, 0);
  EXPECT_EQ(selection.left, 100);
  EXPECT_EQ(h.Shown(), before);
}

TEST(UndoRedo, UndoPastEverything_KeepsTheSnapshotsForRedoOnANewSelection) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(110, 150, 150, 190);
  const Picture annotated = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  ASSERT_EQ(h.drag().mode, SelectionMode::Draw);
  EXPECT_EQ(h.form.history.Count(), 2);

  h.Drag(100, 100, 300, 250);
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.Shown(), annotated);
}

TEST(UndoRedo, RedoWithNothingToRedo_ChangesNothing) {
  AnnotateHarness h;
  const Picture start = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.form.history.Current(), 1);
  EXPECT_EQ(h.Shown(), start);

  h.ClickOn(ButtonId(ToolbarButton::Arrow));
  h.Drag(120, 150, 200, 200);
  const Picture annotated = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.form.history.Current(), 2);
  EXPECT_EQ(h.Shown(), annotated);
}

}  // namespace
}  // namespace capture
