#include "selection/suggestion.h"

#include <gtest/gtest.h>

#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

// Window A on top with a child and a grandchild, window B beneath it and partly off the screen's
// right edge, on a 640x480 screen.
const std::vector<DesktopElement> kDesktop = {
    {{100, 100, 400, 300}, -1},  // 0: A
    {{120, 130, 220, 170}, 0},   // 1: A's toolbar
    {{130, 140, 160, 160}, 1},   // 2: a button on it
    {{120, 130, 220, 170}, 1},   // 3: a pane as large as the toolbar, beneath the button
    {{200, 200, 380, 280}, 0},   // 4: A's client area, beneath the toolbar
    {{300, 250, 700, 450}, -1},  // 5: B
};
const RectI kMonitor{0, 0, 640, 480};

RectI RectOf(const Control& c) {
  return {Round(c.left), Round(c.top), Round(c.left + c.width), Round(c.top + c.height)};
}

struct DesktopHarness : FormHarness {
  DesktopHarness() {
    selection().aim.elements = kDesktop;
    run.MouseMove(0, 1, 1);  // the system's move as the window appears: nothing is outlined yet
    EXPECT_FALSE(form[ControlId::Suggestion].visible);
  }
};

TEST(Suggestion, ElementsUnder_TheDeepestTopmostChildOutToTheMonitor) {
  const std::vector<Monitor> monitors = {{kMonitor, 96}};
  struct Case {
    PointI point;
    std::vector<RectI> chain;
  } cases[] = {
      // Nested: button, toolbar (the pane of the same size is left out), window, monitor.
      {{140, 150}, {{130, 140, 160, 160}, {120, 130, 220, 170}, {100, 100, 400, 300}, kMonitor}},
      {{210, 150}, {{120, 130, 220, 170}, {100, 100, 400, 300}, kMonitor}},
      // Where no child holds the point: the window itself.
      {{110, 290}, {{100, 100, 400, 300}, kMonitor}},
      // Overlapping windows: the topmost holds the point, and a child of B beneath A does not
      // count.
      {{350, 260}, {{200, 200, 380, 280}, {100, 100, 400, 300}, kMonitor}},
      {{500, 400}, {{300, 250, 700, 450}, kMonitor}},
      // Edges: left and top inside, right and bottom outside.
      {{400, 299}, {{300, 250, 700, 450}, kMonitor}},
      {{10, 10}, {kMonitor}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ElementsUnder(kDesktop, monitors, c.point), c.chain)
        << "at " << c.point.x << "," << c.point.y;
  }
}

TEST(Suggestion, PointerWithNoButton_OutlinesTheElementWithItsSizeAndNoHandles) {
  DesktopHarness h;
  h.run.MouseMove(0, 140, 150);
  const Control& outline = h[ControlId::Suggestion];
  EXPECT_TRUE(outline.visible);
  EXPECT_EQ(RectOf(outline), (RectI{130, 140, 160, 160}));
  EXPECT_EQ(outline.border_width, 2);
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"30x20");
  EXPECT_TRUE(h[ControlId::SizeLabel].visible);
  EXPECT_FLOAT_EQ(h[ControlId::SizeLabel].left, 132);
  EXPECT_FALSE(h[HandleId(Handle::TopLeft)].visible);
  EXPECT_FALSE(h[ControlId::Selection].visible);
}

TEST(Suggestion, Wheel_GoesOutToWhatHoldsItAndBackIn) {
  DesktopHarness h;
  h.run.MouseMove(0, 140, 150);
  const RectI steps[] = {{120, 130, 220, 170}, {100, 100, 400, 300}, kMonitor, kMonitor};
  for (const RectI& expected : steps) {
    h.run.MouseWheel(1, 140, 150);
    EXPECT_EQ(RectOf(h[ControlId::Suggestion]), expected);
  }
  h.run.MouseWheel(-2, 140, 150);
  EXPECT_EQ(RectOf(h[ControlId::Suggestion]), (RectI{120, 130, 220, 170}));
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"100x40");
  h.run.MouseWheel(-5, 140, 150);
  EXPECT_EQ(RectOf(h[ControlId::Suggestion]), (RectI{130, 140, 160, 160}));

  // Out once, then a click takes what is outlined.
  h.run.MouseWheel(1, 140, 150);
  h.Click(140, 150);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{120, 130, 220, 170}));
}

TEST(Suggestion, ClickWithinTheDragDistanceSelectsIt_FurtherIsADrag) {
  struct Case {
    float release_x, release_y;
    RectI selection;
  } cases[] = {
      {140, 150, {130, 140, 160, 160}},  // still
      {142, 148, {130, 140, 160, 160}},  // half the drag distance (4x4) on each axis: a click
      {143, 150, {140, 150, 140, 150}},  // one more: a drag, drawn as ever (level: 0 wide)
      {143, 153, {140, 150, 143, 153}},
  };
  // With moves between press and release, or the release alone: its own place counts too.
  for (const auto& [c, moves] : {std::pair{cases[0], true},
                                 {cases[0], false},
                                 {cases[1], true},
                                 {cases[1], false},
                                 {cases[2], true},
                                 {cases[2], false},
                                 {cases[3], true},
                                 {cases[3], false}}) {
    DesktopHarness h;
    h.run.MouseMove(0, 140, 150);
    h.run.MouseDown(button::kLeft, 140, 150);
    EXPECT_FALSE(h[ControlId::Suggestion].visible) << "a press takes the outline away";
    if (moves) {
      h.run.MouseMove(button::kLeft, c.release_x, c.release_y);
      h.run.MouseMove(button::kLeft, 140, 150);  // back: a drag stays a drag
      h.run.MouseMove(button::kLeft, c.release_x, c.release_y);
    }
    h.run.MouseUp(button::kLeft, c.release_x, c.release_y);
    SCOPED_TRACE(::testing::Message() << "release at " << c.release_x << "," << c.release_y
                                      << (moves ? " after moves" : " alone"));
    EXPECT_EQ(h.form.SelectionRect(), c.selection);
    EXPECT_EQ(h.drag().mode, SelectionMode::Move);
    EXPECT_TRUE(h[ControlId::Toolbar].visible);
    EXPECT_FALSE(h[ControlId::Suggestion].visible);
  }
}

TEST(Suggestion, Click_SelectsAsIfDraggedOut_ClippedToTheScreen) {
  struct Case {
    float x, y;
    RectI selection;
  } cases[] = {
      {500, 400, {300, 250, 640, 450}},  // B reaches past the screen's right edge
      {10, 10, kMonitor},                // the bare desktop: the monitor
  };
  for (const Case& c : cases) {
    FormHarness h;
    h.selection().aim.elements = kDesktop;
    h.Click(c.x, c.y);  // no move before it: the press finds what is under it
    const RectI r = c.selection;
    EXPECT_EQ(h.form.SelectionRect(), r);
    DesktopHarness dragged;
    dragged.Drag(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                 static_cast<float>(r.bottom));
    for (ControlId id : {ControlId::Selection, ControlId::SizeLabel, ControlId::Toolbar,
                         HandleId(Handle::BottomRight)}) {
      EXPECT_EQ(h[id].visible, dragged[id].visible) << h[id].name;
      EXPECT_FLOAT_EQ(h[id].left, dragged[id].left) << h[id].name;
      EXPECT_FLOAT_EQ(h[id].top, dragged[id].top) << h[id].name;
    }
    EXPECT_EQ(h[ControlId::SizeLabel].caption, dragged[ControlId::SizeLabel].caption);
  }
}

}  // namespace
}  // namespace capture
