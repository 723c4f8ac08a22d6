#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

// Press on handle i, move the pointer to (x, y), release there, as the platform delivers it.
void DragHandle(FormHarness& h, int i, int x, int y) {
  const PointF at = h.form.controls.Origin(HandleId(i));
  h.run.MouseDown(button::kLeft, at.x + 1, at.y + 1);
  h.run.MouseMove(button::kLeft, float(x), float(y));
  h.run.MouseUp(button::kLeft, float(x), float(y));
}

// A mark added to the history as a finished drawing would add it.
void PushMark(FormHarness& h) {
  Document next = h.form.history.Shown();
  next.marks.push_back(std::make_shared<const Mark>());
  h.form.history.Reserve();
  h.form.history.Push(std::move(next));
}

RectI Edges(const FormHarness& h) {
  const Control& s = h.form[ControlId::Selection];
  return {int(s.left), int(s.top), int(s.left + s.width), int(s.top + s.height)};
}

// A finished selection at (100, 100), 200 x 150.
struct HandleTest : ::testing::Test {
  HandleTest() { h.Drag(100, 100, 300, 250); }
  void DragHandle(int i, int x, int y) { capture::DragHandle(h, i, x, y); }
  RectI Edges() const { return capture::Edges(h); }

  FormHarness h;
};

TEST(HandleResize, EachHandleMovesOnlyTheEdgesItOwns) {
  // Left/top edges land on the handle's centre (pointer + 2); the bottom on the pointer; the
  // right on the pointer, or on the handle's centre for the top-right handle.
  const RectI expected[8] = {{52, 42, 300, 250},   {100, 42, 300, 250}, {100, 42, 402, 250},
                             {52, 100, 300, 250},  {52, 100, 300, 400}, {100, 100, 300, 400},
                             {100, 100, 400, 400}, {100, 100, 400, 250}};
  const int pointer[8][2] = {{50, 40},  {0, 40},  {400, 40},  {50, 0},
                             {50, 400}, {0, 400}, {400, 400}, {400, 0}};
  for (int i = 0; i < 8; ++i) {
    FormHarness h;
    h.Drag(100, 100, 300, 250);
    DragHandle(h, i, pointer[i][0], pointer[i][1]);
    EXPECT_EQ(Edges(h), expected[i]) << "handle " << i;
  }
}

// A handle drag that loses the pointer (an error box, another window taking it) is over: the
// selection stays as the last move left it, the toolbar comes back, and passing over a handle with
// no button held resizes nothing.
TEST_F(HandleTest, LostPointer_EndsTheDragAsItsReleaseWould) {
  const PointF at = h.form.controls.Origin(HandleId(Handle::BottomRight));
  h.run.MouseDown(button::kLeft, at.x + 1, at.y + 1);
  h.run.MouseMove(button::kLeft, 400, 300);
  h.run.CaptureLost();

  EXPECT_FALSE(h.selection().resize.has_value());
  EXPECT_TRUE(h[ControlId::Toolbar].visible);
  const PointF right = h.form.controls.Origin(HandleId(Handle::Right));
  h.run.MouseMove(0, right.x + 1, right.y + 1);
  EXPECT_EQ(Edges(), (RectI{100, 100, 400, 300}));
}

TEST_F(HandleTest, Drag_UpdatesLabelsAnchorAndPlacesTheToolbarOnRelease) {
  DragHandle(6, 400, 300);
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"300x200");
  EXPECT_FLOAT_EQ(h[ControlId::SizeLabel].left, 102);
  EXPECT_FLOAT_EQ(h.drag().anchor.x, 100);
  EXPECT_FALSE(h.selection().resize.has_value());
  const Control& strip = h[ControlId::Toolbar];
  EXPECT_TRUE(strip.visible);
  EXPECT_FLOAT_EQ(strip.left + strip.width, 400);
  EXPECT_FLOAT_EQ(strip.top, 304);
  EXPECT_FLOAT_EQ(h[HandleId(Handle::BottomRight)].left,
                  398);  // laid out again, not left at the pointer
}

TEST_F(HandleTest, RepeatedGrabsOfACornerDoNotCreepTheOppositeEdges) {
  for (int n = 0; n < 3; ++n) DragHandle(0, 98, 98);
  EXPECT_EQ(Edges(), (RectI{100, 100, 300, 250}));
}

TEST_F(HandleTest, CrossingTheOppositeEdgeIsRefusedUntilThePointerComesBack) {
  const PointF at = h.form.controls.Origin(HandleId(Handle::Left));
  h.run.MouseDown(button::kLeft, at.x + 1, at.y + 1);
  for (int x : {200, 298, 350}) {
    h.run.MouseMove(button::kLeft, float(x), 170);
  }
  EXPECT_EQ(Edges(), (RectI{300, 100, 300, 250}));  // last accepted: width 0
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"0x150");
  h.run.MouseMove(button::kLeft, 148, 170);
  EXPECT_EQ(Edges(), (RectI{150, 100, 300, 250}));
}

TEST_F(HandleTest, Pointer_ShowsTheResizeDirectionOfEachHandle) {
  const Pointer expected[8] = {Pointer::SizeNWSE, Pointer::SizeNS,   Pointer::SizeNESW,
                               Pointer::SizeWE,   Pointer::SizeNESW, Pointer::SizeNS,
                               Pointer::SizeNWSE, Pointer::SizeWE};
  for (int i = 0; i < 8; ++i) {
    const PointF at = h.form.controls.Origin(HandleId(i));
    h.run.MouseMove(0, at.x + 1, at.y + 1);
    EXPECT_EQ(h.fake.window.pointer, expected[i]) << i;
  }
}

TEST_F(HandleTest, Press_KeepsEveryStepAndHidesToolbarAndPanel) {
  PushMark(h);
  PushMark(h);
  h.form[ControlId::StylePanel].visible = true;
  const PointF at = h.form.controls.Origin(HandleId(Handle::Bottom));
  h.run.MouseDown(button::kRight, at.x + 1, at.y + 1);  // any button
  EXPECT_EQ(h.form.history.Current(), 3);
  EXPECT_EQ(h.form.history.Count(), 3);
  EXPECT_FALSE(h[ControlId::Toolbar].visible);
  EXPECT_FALSE(h[ControlId::StylePanel].visible);
  EXPECT_TRUE(h.selection().resize.has_value());
}

TEST_F(HandleTest, Press_WithAToolAndAnnotationsIsRefusedButReleaseStillShowsTheToolbar) {
  PushMark(h);  // document 2 shown
  h.choice().active = true;
  DragHandle(6, 400, 400);
  EXPECT_EQ(Edges(), (RectI{100, 100, 300, 250}));
  EXPECT_EQ(h.form.history.Current(), 2);
  EXPECT_TRUE(h[ControlId::Toolbar].visible);
  EXPECT_EQ(h.fake.window.pointer, Pointer::SizeNWSE);
}

TEST_F(HandleTest, Press_WithAToolButNothingDrawnClearsTheToolAndResizes) {
  h.choice().active = true;
  DragHandle(6, 400, 400);
  EXPECT_FALSE(h.choice().active);
  EXPECT_EQ(Edges(), (RectI{100, 100, 400, 400}));
}

}  // namespace
}  // namespace capture

namespace capture {
namespace {

TEST(HandleResize, Press_DrawsAnOpenTextBoxFirst) {
  testing::FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.choice().active = true;
  h.choice().tool = Tool::Text;
  h.Click(200, 200);  // opens the box
  ASSERT_TRUE(h[ControlId::TextBox].visible);
  h.run.TextChanged(ControlId::TextBox, u"note");

  const PointF at = h.form.controls.Origin(HandleId(Handle::BottomRight));
  h.run.MouseDown(button::kLeft, at.x + 1, at.y + 1);
  ASSERT_EQ(h.fake.surface.text_calls.size(), 1u);
  EXPECT_EQ(h.fake.surface.text_calls[0].text, u"note");
  EXPECT_FALSE(h[ControlId::TextBox].visible);
  EXPECT_FALSE(h.tool_drag().InProgress());
  EXPECT_EQ(h.form.history.Current(), 2);  // the text is an annotation now, so the press is refused
}

}  // namespace
}  // namespace capture
