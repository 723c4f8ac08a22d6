#include "selection/aim_keys.h"

#include <gtest/gtest.h>

#include "app/recent_selections.h"
#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

KeyStroke Key(int code, bool ctrl = false, bool shift = false) {
  return {code, ctrl, shift, false};
}

// A 1024x768 monitor left of a 1280x800 primary: the virtual screen is 2304x800.
struct TwoMonitors : FormHarness {
  TwoMonitors() : FormHarness(fake::NoisePicture(2304, 800)) {
    fake.screen.monitors = {{{1024, 0, 2304, 800}, 96}, {{0, 0, 1024, 768}, 96}};
    run.DisplayChanged();
  }
};

TEST(AimKeys, CtrlA_TheMonitorUnderThePointer_ThenTheWholeVirtualScreen) {
  TwoMonitors h;
  h.run.MouseMove(0, 300, 300);
  h.run.KeyPress(Key('A', true));
  EXPECT_EQ(h.form.SelectionRect(), (RectI{0, 0, 1024, 768}));
  EXPECT_EQ(h.drag().mode, SelectionMode::Move);
  EXPECT_TRUE(h[ControlId::Toolbar].visible);
  EXPECT_EQ(h[ControlId::SizeLabel].caption, u"1024x768");
  h.run.KeyPress(Key('A', true));
  EXPECT_EQ(h.form.SelectionRect(), (RectI{0, 0, 2304, 800}));

  h.run.MouseMove(0, 1500, 300);  // over the primary, with a selection: Ctrl+A takes the primary
  h.run.KeyPress(Key('A', true));
  EXPECT_EQ(h.form.SelectionRect(), (RectI{1024, 0, 2304, 800}));
}

TEST(AimKeys, C_PutsThePointersColourOnTheClipboardAsText) {
  Picture picture(64, 48, 0x0000FF);
  picture.at(10, 20) = 0xFF8001;  // red 255, green 128, blue 1
  FormHarness h(picture);
  h.fake.clipboard.content = Picture(1, 1);
  h.run.MouseMove(0, 10, 20);
  h.run.KeyPress(Key('C'));
  EXPECT_EQ(h.fake.clipboard.text, u"#FF8001");
  EXPECT_FALSE(h.fake.clipboard.content) << "the text replaces what the clipboard held";
  EXPECT_EQ(h[ControlId::ColourLabel].caption, u"已复制 #FF8001");
  EXPECT_EQ(h.fake.window.timer, kNoticeMilliseconds) << "for a moment";
  h.run.TimerElapsed();
  EXPECT_EQ(h[ControlId::ColourLabel].caption, u"RGB(255,128,1)");
  h.run.KeyPress(Key('C', false, true));
  EXPECT_EQ(h.fake.clipboard.text, u"255, 128, 1");
  EXPECT_FALSE(h.form.Closed());

  h.run.MouseMove(0, 11, 20);  // the next move reads the colour again
  EXPECT_EQ(h[ControlId::ColourLabel].caption, u"RGB(0,0,255)");
  h.fake.clipboard.put_succeeds = false;
  h.run.KeyPress(Key('C'));
  EXPECT_EQ(h[ControlId::ColourLabel].caption, u"未能复制 #0000FF");
}

TEST(AimKeys, CommaAndPeriod_WalkThroughEarlierSelections_CutToTodaysScreen) {
  FormHarness h;  // 640x480
  h.selection().aim.RecallFrom({{10, 10, 50, 50}, {600, 400, 700, 500}, {100, 100, 200, 150}});
  const KeyStroke back = Key(key::kComma), forward = Key(key::kPeriod);

  h.run.KeyPress(forward);  // nothing after the newest
  EXPECT_FALSE(h[ControlId::Selection].visible);
  h.run.KeyPress(back);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{100, 100, 200, 150}));
  EXPECT_TRUE(h[ControlId::Toolbar].visible);
  h.run.KeyPress(back);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{600, 400, 640, 480})) << "cut to the screen";
  h.run.KeyPress(back);
  h.run.KeyPress(back);  // nothing before the oldest
  EXPECT_EQ(h.form.SelectionRect(), (RectI{10, 10, 50, 50}));
  h.run.KeyPress(forward);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{600, 400, 640, 480}));
}

TEST(AimKeys, TheSelectionOfACopyIsTakenOut_ACaptureThatCopiedNothingTakesNone) {
  FormHarness copied;
  copied.Drag(100, 100, 300, 250);
  copied.run.KeyPress(Key(key::kReturn));
  EXPECT_EQ(copied.selection().aim.taken, (RectI{100, 100, 300, 250}));
  FormHarness left;
  left.Drag(100, 100, 300, 250);
  left.run.KeyPress(Key(key::kEscape));
  EXPECT_FALSE(left.selection().aim.taken);
}

TEST(RecentSelections, KeepsTheNewestTwentyOldestFirst_NoEmptyOnes) {
  RecentSelections recent;
  for (int i = 0; i < 25; ++i) recent.Add({i, 0, i + 10, 10});
  recent.Add({5, 5, 5, 9});
  ASSERT_EQ(recent.Items().size(), RecentSelections::kKept);
  EXPECT_EQ(recent.Items().front(), (RectI{5, 0, 15, 10}));
  EXPECT_EQ(recent.Items().back(), (RectI{24, 0, 34, 10}));
  RecentSelections loaded;
  loaded.Restore(recent.Items());
  EXPECT_EQ(loaded.Items(), recent.Items());
}

}  // namespace
}  // namespace capture
