#include <gtest/gtest.h>

#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

void ExpectGeometry(const Control& c, float left, float top, float width, float height) {
  EXPECT_FLOAT_EQ(c.left, left) << c.name;
  EXPECT_FLOAT_EQ(c.top, top) << c.name;
  EXPECT_FLOAT_EQ(c.width, width) << c.name;
  EXPECT_FLOAT_EQ(c.height, height) << c.name;
}

TEST(SelectionDrag, Drag_DrawsTheSelectionWithLabelsHandlesAndToolbar) {
  FormHarness h;
  h.run.MouseDown(button::kLeft, 200, 100);
  h.run.MouseMove(button::kLeft, 400, 250);

  ExpectGeometry(h[ControlId::Selection], 200, 100, 200, 150);
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"200x150");
  EXPECT_FLOAT_EQ(h[ControlId::SizeLabel].left, 202);
  EXPECT_FLOAT_EQ(h[ControlId::SizeLabel].top, 102);
  EXPECT_FLOAT_EQ(h[ControlId::ColourLabel].top, 102 + 17 + 2);
  for (ControlId id : {ControlId::Selection, ControlId::SizeLabel, ControlId::ColourLabel,
                       HandleId(Handle::TopLeft)}) {
    EXPECT_TRUE(h[id].visible) << h[id].name;
  }
  EXPECT_FALSE(h[ControlId::Toolbar].visible);

  h.run.MouseUp(button::kLeft, 400, 250);
  EXPECT_EQ(h.drag().mode, SelectionMode::Move);
  EXPECT_FLOAT_EQ(h.drag().anchor.x, 200);
  EXPECT_FLOAT_EQ(h.drag().anchor.y, 100);
  const Control& strip = h[ControlId::Toolbar];
  EXPECT_TRUE(strip.visible);
  EXPECT_FLOAT_EQ(strip.left + strip.width, 400);
  EXPECT_FLOAT_EQ(strip.top, 254);
}

TEST(SelectionDrag, RubberBand_EveryQuadrantGivesTheSameRectangle) {
  const float corners[4][4] = {
      {100, 100, 300, 250}, {300, 100, 100, 250}, {100, 250, 300, 100}, {300, 250, 100, 100}};
  for (const auto& c : corners) {
    FormHarness h;
    h.run.MouseDown(button::kLeft, c[0], c[1]);
    h.run.MouseMove(button::kLeft, c[2], c[3]);
    ExpectGeometry(h[ControlId::Selection], 100, 100, 200, 150);
  }
}

TEST(SelectionDrag, RubberBand_LevelWithTheAnchorKeepsThePreviousGeometry) {
  FormHarness h;
  h.run.MouseDown(button::kLeft, 100, 100);
  h.run.MouseMove(button::kLeft, 150, 130);
  h.run.MouseMove(button::kLeft, 200, 100);  // level with the anchor
  ExpectGeometry(h[ControlId::Selection], 100, 100, 50, 30);
  h.run.MouseMove(button::kLeft, 100, 300);  // straight below it
  ExpectGeometry(h[ControlId::Selection], 100, 100, 50, 30);
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"50x30");
}

TEST(SelectionDrag, Labels_ShowFractionalSizesInGeneralForm) {
  FormHarness h;
  h.run.MouseDown(button::kLeft, 10, 20);
  h.run.MouseMove(button::kLeft, 15, 23);
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"5x3");
  EXPECT_FLOAT_EQ(h[ControlId::SizeLabel].left, 12);
  EXPECT_FLOAT_EQ(h[ControlId::SizeLabel].top, 22);
  h.run.MouseMove(button::kLeft, 22.5f, 23.25f);
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"12.5x3.25");
}

TEST(SelectionDrag, Click_SelectsTheWindowUnderItThatTheNextPressOutsideThrowsAway) {
  FormHarness h;
  h.selection().aim.elements = {{{150, 100, 260, 200}, -1}};
  h.Click(200, 150);  // not an empty selection at the click point: the window under it
  EXPECT_EQ(h.drag().mode, SelectionMode::Move);
  ExpectGeometry(h[ControlId::Selection], 150, 100, 110, 100);
  EXPECT_TRUE(h[ControlId::Toolbar].visible);

  h.run.MouseDown(button::kLeft, 300, 300);
  EXPECT_EQ(h.drag().mode, SelectionMode::Draw);
  EXPECT_TRUE(h.drag().thrown_away);
}

TEST(SelectionDrag, Press_OnLeftOrTopEdgeIsInsideAndOnRightOrBottomEdgeThrowsAway) {
  // Points clear of the handles and labels, which take their own pointer events.
  for (const auto& [x, y, inside] : {std::tuple{100.f, 120.f, true},
                                     {150.f, 100.f, true},
                                     {300.f, 120.f, false},
                                     {150.f, 250.f, false}}) {
    FormHarness h;
    h.Drag(100, 100, 300, 250);
    h.run.MouseDown(button::kLeft, x, y);
    EXPECT_EQ(h.drag().mode, inside ? SelectionMode::Move : SelectionMode::Draw) << x << "," << y;
    EXPECT_EQ(h[ControlId::Selection].visible, inside);
    if (inside) {
      EXPECT_EQ((RectI{100, 100, 300, 250}), h.form.SelectionRect());  // the selection stays
      EXPECT_FLOAT_EQ(h.drag().grab.x, x);
      EXPECT_EQ(h.fake.window.pointer, Pointer::Cross);
    } else {
      EXPECT_FLOAT_EQ(h[ControlId::Selection].left, x);
      EXPECT_FALSE(h[HandleId(Handle::TopLeft)].visible);
      EXPECT_EQ(h.fake.window.pointer, Pointer::Default);
    }
  }
}

TEST(SelectionDrag, PressOutside_StartsANewSelectionFromThePressPoint) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.Drag(400, 300, 450, 350);
  ExpectGeometry(h[ControlId::Selection], 400, 300, 50, 50);
  EXPECT_EQ(h.drag().mode, SelectionMode::Move);
}

TEST(SelectionDrag, MoveDrag_FollowsThePointerWithoutChangingTheSizeText) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.run.MouseDown(button::kLeft, 150, 150);
  h.run.MouseMove(button::kLeft, 170, 140);
  h.run.MouseMove(button::kLeft, 180, 160);
  ExpectGeometry(h[ControlId::Selection], 130, 110, 200, 150);
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"200x150");
  EXPECT_FLOAT_EQ(h[ControlId::SizeLabel].left, 132);
  EXPECT_EQ(h.fake.window.pointer, Pointer::SizeAll);
  h.run.MouseUp(button::kLeft, 180, 160);
  EXPECT_FLOAT_EQ(h.drag().anchor.x, 130);
  EXPECT_FLOAT_EQ(h.drag().anchor.y, 110);
}

TEST(SelectionDrag, MoveDrag_IsKeptOnTheScreenInClampOrder) {
  FormHarness h(640, 480);
  h.Drag(100, 100, 300, 250);
  h.run.MouseDown(button::kLeft, 150, 150);
  h.run.MouseMove(button::kLeft, 0, 0);  // past the left and top edges
  ExpectGeometry(h[ControlId::Selection], 0, 0, 200, 150);
  h.run.MouseMove(button::kLeft, 1000, 1000);  // past the right and bottom edges
  ExpectGeometry(h[ControlId::Selection], 440, 330, 200, 150);
  h.run.MouseUp(button::kLeft, 1000, 1000);

  // A selection wider than the screen ends up pinned at screen width - width, left of 0.
  FormHarness wide(640, 480);
  wide.Drag(-20, 10, 700, 100);
  wide.run.MouseDown(button::kLeft, 10, 50);
  wide.run.MouseMove(button::kLeft, 30, 50);
  EXPECT_FLOAT_EQ(wide[ControlId::Selection].left, 640 - 720);
}

TEST(SelectionDrag, Pointer_MoveArrowOnlyStrictlyInside) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.run.MouseMove(0, 200, 200);
  EXPECT_EQ(h.fake.window.pointer, Pointer::SizeAll);
  h.run.MouseMove(0, 100, 200);  // on the left edge
  EXPECT_EQ(h.fake.window.pointer, Pointer::Cross);
  h.run.MouseMove(0, 299.5f, 200);
  EXPECT_EQ(h.fake.window.pointer, Pointer::SizeAll);
  h.run.MouseMove(0, 300, 200);
  EXPECT_EQ(h.fake.window.pointer, Pointer::Cross);
}

TEST(SelectionDrag, RightClick_WithNoSelectionCloses_WithASelectionThrowsItAway) {
  FormHarness none;
  none.Click(200, 200, button::kRight);
  EXPECT_TRUE(none.form.Closed());
  EXPECT_EQ(none.fake.window.closes, 1);

  FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.Click(200, 200, button::kRight);  // inside
  EXPECT_FALSE(h.form.Closed());
  EXPECT_EQ(h.drag().mode, SelectionMode::Draw);
  for (ControlId id : {ControlId::Selection, ControlId::SizeLabel, ControlId::ColourLabel,
                       ControlId::Toolbar, HandleId(Handle::Right)}) {
    EXPECT_FALSE(h[id].visible) << h[id].name;
  }
  h.Click(200, 200, button::kRight);  // no selection now: the second right click closes
  EXPECT_TRUE(h.form.Closed());
}

TEST(SelectionDrag, MiddleClick_ClosesOnlyWhileNothingWasThrownAway) {
  FormHarness fresh;
  fresh.Drag(100, 100, 300, 250);
  fresh.Click(200, 200, button::kMiddle);
  EXPECT_TRUE(fresh.form.Closed());

  FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.Drag(400, 300, 450, 350);  // threw the first selection away
  h.Click(420, 320, button::kMiddle);
  EXPECT_FALSE(h.form.Closed());
  EXPECT_EQ(h.drag().mode, SelectionMode::Move);
}

TEST(SelectionDrag, ToolActive_PressOutsideNeitherThrowsAwayNorHidesTheToolbar) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.choice().active = true;
  h.run.MouseDown(button::kLeft, 500, 400);
  EXPECT_TRUE(h[ControlId::Selection].visible);
  EXPECT_TRUE(h[ControlId::Toolbar].visible);
  EXPECT_EQ(h.drag().mode, SelectionMode::Move);
}

TEST(SelectionDrag, DoubleClick_CopiesExactlyTheSelectionAndCloses) {
  FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.fake.window.on_pump = [&] {
    // By the time pending repaints run, the chrome is hidden.
    EXPECT_FALSE(h[ControlId::Toolbar].visible);
    EXPECT_FALSE(h[ControlId::StylePanel].visible);
  };
  h.DoubleClick(200, 200);

  ASSERT_TRUE(h.fake.clipboard.content.has_value());
  const Picture& copy = *h.fake.clipboard.content;
  ASSERT_EQ(copy.width, 200);
  ASSERT_EQ(copy.height, 150);
  const Picture screen = h.fake.screen.Grab();
  for (int y = 0; y < 150; ++y) {
    for (int x = 0; x < 200; ++x) ASSERT_EQ(copy.at(x, y), screen.at(100 + x, 100 + y));
  }
  EXPECT_EQ(h.fake.window.sleeps, std::vector<int>{10});
  EXPECT_TRUE(h.form.Closed());
  EXPECT_FALSE(h[ControlId::Selection].visible);
}

TEST(SelectionDrag, DoubleClick_OnTheRightOrBottomEdgeOrBeforeAnySelectionDoesNothing) {
  FormHarness before;
  before.run.DoubleClick(button::kLeft, 0, 0);
  EXPECT_FALSE(before.form.Closed());

  for (const auto& [x, y] : {std::pair{300.f, 200.f}, {200.f, 250.f}}) {
    FormHarness h;
    h.Drag(100, 100, 300, 250);
    h.run.MouseDown(button::kLeft, 200, 200);  // a press inside sets the grab point
    h.run.MouseUp(button::kLeft, 200, 200);
    h.drag().grab.x = x;
    h.drag().grab.y = y;
    h.run.DoubleClick(button::kLeft, x, y);
    EXPECT_FALSE(h.form.Closed()) << x << "," << y;
    EXPECT_EQ(h.fake.clipboard.puts, 0);
  }
}

TEST(SelectionDrag, Escape_ClosesWithoutTouchingTheClipboard) {
  FormHarness h;
  h.run.KeyPress({'A'});
  EXPECT_FALSE(h.form.Closed());
  h.run.KeyPress({key::kEscape});
  EXPECT_TRUE(h.form.Closed());
  EXPECT_EQ(h.fake.clipboard.puts + h.fake.clipboard.empties, 0);
}

}  // namespace
}  // namespace capture

namespace capture {
namespace {

TEST(SelectionDrag, DoubleClick_EscapeWhileTheWindowRepaintsCancelsTheCopy) {
  testing::FormHarness h;
  h.Drag(100, 100, 300, 250);
  h.fake.window.on_pump = [&] { h.run.KeyPress({key::kEscape}); };
  h.DoubleClick(200, 200);
  EXPECT_TRUE(h.form.Closed());
  EXPECT_EQ(h.fake.clipboard.puts, 0);
  EXPECT_EQ(h.fake.window.closes, 1);
}

}  // namespace
}  // namespace capture
