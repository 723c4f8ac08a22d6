#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

struct StepsHarness : AnnotateHarness {
  StepsHarness() {
    ClickOn(ButtonId(ToolbarButton::Steps));
    fake.surface.text_calls.clear();
  }
  // Places a step with a click; returns the number it was drawn with.
  std::u16string Place(float x, float y) {
    Click(x, y);
    return fake.surface.text_calls.back().text;
  }
};

// The next number is one more than the steps on the picture shown: an undone step's number is given
// again, and a redone step comes back exactly.
TEST(StepsTool, NumbersFollowTheHistoryThroughUndoAndRedo) {
  StepsHarness h;
  const Picture before = h.Shown();
  EXPECT_EQ(h.Place(130, 130), u"1");
  EXPECT_EQ(h.Place(170, 130), u"2");
  EXPECT_EQ(h.Place(210, 130), u"3");
  const Picture three = h.Shown();
  EXPECT_EQ(h.form.history.Count(), 4);

  h.ClickOn(ButtonId(ToolbarButton::Undo));
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.Shown(), three);
  EXPECT_EQ(h.Place(250, 130), u"4");
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Place(250, 200), u"3");

  h.ClickOn(ButtonId(ToolbarButton::Undo));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), before);
  EXPECT_EQ(h.Place(130, 200), u"1");
}

// The disc shows from the press and follows the pointer; the release leaves it where the pointer
// is, held inside the selection, with one snapshot.
TEST(StepsTool, DragMovesTheDiscUntilTheRelease_InsideTheSelection) {
  StepsHarness h;
  const Picture before = h.Shown();
  h.run.MouseDown(button::kLeft, 150, 150);
  EXPECT_EQ(Changed(before, h.fake.surface.window_layer()), (RectI{137, 137, 163, 163}));
  h.run.MouseMove(button::kLeft, 200, 180);
  EXPECT_EQ(Changed(before, h.fake.surface.window_layer()), (RectI{187, 167, 213, 193}));
  EXPECT_EQ(h.fake.surface.retained(), before);
  h.run.MouseMove(button::kLeft, 900, 20);
  h.run.MouseUp(button::kLeft, 900, 20);
  EXPECT_EQ(Changed(before, h.Shown()), (RectI{274, 100, 300, 126}));
  EXPECT_EQ(h.ShownPixel(277, 113), kRed);
  EXPECT_EQ(h.form.history.Count(), 2);
}

}  // namespace
}  // namespace capture
