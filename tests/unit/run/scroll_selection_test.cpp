#include <gtest/gtest.h>

#include <vector>

#include "annotate/annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

// A joined picture taller than the screen, so no part of the screen could pass for it.
Picture Joined() {
  return fake::NoisePicture(200, 900, 7);
}

std::vector<bool> Visibility(const CaptureForm& form) {
  std::vector<bool> shown;
  for (const Control& c : form.controls.All()) shown.push_back(c.visible);
  return shown;
}

// 长截图, by its button or by L, scrolls the selection's area; the joined picture goes to the
// clipboard whole, "已复制" shows, and the capture ends.
TEST(ScrollSelection, JoinedPictureIsCopiedAndTheCaptureEnds) {
  for (const bool by_key : {false, true}) {
    SCOPED_TRACE(by_key ? "L" : "button");
    AnnotateHarness h;
    h.fake.scroller.joined = Joined();
    const RectI selection = h.form.SelectionRect();

    if (by_key) {
      h.run.KeyPress({'L', false, false, false});
    } else {
      h.ClickOn(ButtonId(ToolbarButton::ScrollCapture));
    }

    EXPECT_EQ(h.fake.scroller.areas, std::vector<RectI>{selection});
    ASSERT_TRUE(h.fake.clipboard.content);
    EXPECT_EQ(*h.fake.clipboard.content, Joined());
    EXPECT_EQ(h.fake.scroller.said, std::vector<std::u16string>{u"已复制"});
    EXPECT_TRUE(h.form.Closed());
    EXPECT_EQ(h.selection().aim.taken, selection);
  }
}

// Cancelled, the capture is as it was: the chrome, the marks, the clipboard, and it goes on.
TEST(ScrollSelection, Cancelled_LeavesTheCaptureAsItWas) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 130, 180, 170);
  const std::vector<bool> shown = Visibility(h.form);
  const Picture picture = h.Shown();

  h.ClickOn(ButtonId(ToolbarButton::ScrollCapture));

  EXPECT_EQ(h.fake.scroller.areas.size(), 1u);
  EXPECT_EQ(Visibility(h.form), shown);
  EXPECT_EQ(h.Shown(), picture);
  EXPECT_EQ(h.fake.clipboard.puts + h.fake.clipboard.empties, 0);
  EXPECT_FALSE(h.form.Closed());
  EXPECT_TRUE(h.fake.scroller.said.empty());
}

// A clipboard that refuses the joined picture loses nothing: the refusal is said, the save dialog
// offers it, and the capture ends once it is in a file; a cancelled dialog leaves the capture.
TEST(ScrollSelection, ClipboardRefuses_TheSaveDialogOffersThePicture) {
  for (const bool saved : {true, false}) {
    SCOPED_TRACE(saved ? "saved" : "dialog cancelled");
    AnnotateHarness h;
    h.fake.scroller.joined = Joined();
    h.fake.clipboard.put_succeeds = false;
    if (saved) h.fake.dialogs.save_answer = u"C:\\shots\\long.png";

    h.ClickOn(ButtonId(ToolbarButton::ScrollCapture));

    EXPECT_EQ(h.fake.scroller.said, std::vector<std::u16string>{u"无法复制到剪贴板"});
    EXPECT_EQ(h.fake.dialogs.messages.size(), 1u);
    ASSERT_EQ(h.fake.dialogs.save_requests.size(), 1u);
    if (saved) {
      ASSERT_FALSE(h.fake.gdiplus.bitmaps.empty());
      EXPECT_EQ(h.fake.gdiplus.bitmaps.back(), Joined());
    }
    EXPECT_EQ(h.fake.gdiplus.files.contains(u"C:\\shots\\long.png"), saved);
    EXPECT_EQ(h.form.Closed(), saved);
  }
}

}  // namespace
}  // namespace capture
