#include <gtest/gtest.h>

#include <vector>

#include "annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

TEST(UndoRedo, TwoUndosOneRedo_ThenANewAnnotationMakesTheThirdUnreachable) {
  AnnotateHarness h;
  h.ClickOn(Image2(kRectTool));
  std::vector<Picture> after{h.Shown()};  // after[k]: the picture after k annotations
  for (const float x : {110.f, 160.f, 210.f}) {
    h.Drag(x, 150, x + 40, 190);
    after.push_back(h.Shown());
  }

  h.ClickOn(Image2(kUndo));
  h.ClickOn(Image2(kUndo));
  EXPECT_EQ(h.Shown(), after[1]);
  EXPECT_EQ(h.fake.surface.window_layer(), after[1]);
  h.ClickOn(Image2(kRedo));
  EXPECT_EQ(h.Shown(), after[2]);
  EXPECT_EQ(h.form.store.SnapIdx, 3);
  EXPECT_EQ(h.form.store.SnapMax, 4);

  h.Drag(110, 200, 150, 240);
  const Picture newest = h.Shown();
  h.ClickOn(Image2(kRedo));
  EXPECT_EQ(h.Shown(), newest);
  EXPECT_EQ(h.form.store.SnapIdx, 4);
  EXPECT_EQ(h.form.store.SnapMax, 4);
}

TEST(UndoRedo, UndoRightAfterStartUp_ReturnsToSelectingAndLeavesThePicture) {
  AnnotateHarness h;
  h.ClickOn(Image2(kRectTool));
  const Picture before = h.Shown();

  h.ClickOn(Image2(kUndo));

  EXPECT_EQ(h.form.SelMode, SelectionMode::Draw);
  EXPECT_FALSE(h.form.DrawOn);
  EXPECT_EQ(h.form.store.SnapIdx, 1);
  for (ControlId id : {ControlId::Shape1, ControlId::Picture1, ControlId::Picture2,
                       ControlId::LblPos, ControlId::lblInfo}) {
    EXPECT_FALSE(h[id].visible) << h[id].name;
  }
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(h[Image1(i)].visible);
  const Control& selection = h[ControlId::Shape1];
  EXPECT_EQ(selection.width, 0);
  EXPECT_EQ(selection.height, 0);
  EXPECT_EQ(selection.left, 100);
  EXPECT_EQ(h.Shown(), before);
}

TEST(UndoRedo, UndoPastEverything_KeepsTheSnapshotsForRedoOnANewSelection) {
  AnnotateHarness h;
  h.ClickOn(Image2(kRectTool));
  h.Drag(110, 150, 150, 190);
  const Picture annotated = h.Shown();
  h.ClickOn(Image2(kUndo));
  h.ClickOn(Image2(kUndo));
  ASSERT_EQ(h.form.SelMode, SelectionMode::Draw);
  EXPECT_EQ(h.form.store.SnapMax, 2);

  h.Drag(100, 100, 300, 250);
  h.ClickOn(Image2(kRedo));
  EXPECT_EQ(h.Shown(), annotated);
}

TEST(UndoRedo, RedoWithNothingToRedo_ChangesNothing) {
  AnnotateHarness h;
  const Picture start = h.Shown();
  h.ClickOn(Image2(kRedo));
  EXPECT_EQ(h.form.store.SnapIdx, 1);
  EXPECT_EQ(h.Shown(), start);

  h.ClickOn(Image2(kArrowTool));
  h.Drag(120, 150, 200, 200);
  const Picture annotated = h.Shown();
  h.ClickOn(Image2(kRedo));
  EXPECT_EQ(h.form.store.SnapIdx, 2);
  EXPECT_EQ(h.Shown(), annotated);
}

}  // namespace
}  // namespace capture
