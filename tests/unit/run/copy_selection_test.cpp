#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "annotate/annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

std::vector<bool> Visibility(const CaptureForm& form) {
  std::vector<bool> shown;
  for (const Control& control : form.controls.All()) shown.push_back(control.visible);
  return shown;
}

bool ShowsError(const fake::FakeDialogs& dialogs, std::u16string_view number_line) {
  return dialogs.messages.size() == 1 && dialogs.messages[0].title == u"错误" &&
         dialogs.messages[0].text.find(number_line) != std::u16string::npos;
}

struct CopyWay {
  const char* name;
  std::function<void(AnnotateHarness&)> act;
};

TEST(CopySelection, ClipboardThatRefusesTheCopy_IsReportedAndTheWindowStaysAsItWas) {
  const CopyWay ways[] = {
      {"double-click",
       [](AnnotateHarness& h) {
         h.run.DoubleClick(button::kLeft, 200, 200);
         h.run.MouseUp(button::kLeft, 200, 200);
       }},
      {"copy button", [](AnnotateHarness& h) { h.ClickOn(ButtonId(ToolbarButton::CopyQuit)); }},
      {"save button, dialog cancelled",
       [](AnnotateHarness& h) { h.ClickOn(ButtonId(ToolbarButton::Save)); }},
  };
  for (const CopyWay& way : ways) {
    SCOPED_TRACE(way.name);
    AnnotateHarness h;
    h.Click(200, 200);  // with no tool chosen, a press inside arms the double-click
    h.ClickOn(ButtonId(ToolbarButton::Rectangle));  // the style panel is shown too
    h.fake.clipboard.put_succeeds = false;
    const std::vector<bool> before = Visibility(h.form);

    way.act(h);

    EXPECT_EQ(h.fake.clipboard.puts, 1);
    EXPECT_TRUE(ShowsError(h.fake.dialogs, u"错误号: 521\r\n"));
    EXPECT_EQ(h.fake.window.closes, 0);
    EXPECT_EQ(Visibility(h.form), before);
    EXPECT_EQ(h.drag().mode, SelectionMode::Move);
  }
}

TEST(CopySelection, Save_ClipboardThatRefusesTheCopy_StillWritesTheFileAndCloses) {
  AnnotateHarness h;
  h.fake.clipboard.put_succeeds = false;
  h.fake.dialogs.save_answer = u"C:\\shots\\a.png";

  h.ClickOn(ButtonId(ToolbarButton::Save));

  EXPECT_TRUE(ShowsError(h.fake.dialogs, u"错误号: 521\r\n"));
  ASSERT_EQ(h.fake.gdiplus.bitmaps.size(), 1u);
  EXPECT_EQ(h.fake.gdiplus.bitmaps[0], Crop(h.Shown(), {100, 100, 300, 250}));
  EXPECT_EQ(h.fake.window.closes, 1);
}

// Another program (or Ctrl+C in the file-name box) changes the clipboard while the dialog is open:
// a save that then does not happen must not close on a picture that is now nowhere.
TEST(CopySelection, Save_ClipboardChangedDuringTheDialog_NoFileKeepsTheWindowAsItWas) {
  const std::optional<std::u16string> answers[] = {std::nullopt, u"C:\\shots\\shot.bitmap"};
  for (const std::optional<std::u16string>& answer : answers) {
    SCOPED_TRACE(answer ? "unknown extension" : "cancelled");
    AnnotateHarness h;
    h.ClickOn(ButtonId(ToolbarButton::Rectangle));
    const std::vector<bool> before = Visibility(h.form);
    h.fake.dialogs.save_answer = answer;
    h.fake.dialogs.on_save_dialog = [&] { h.fake.clipboard.PutFromElsewhere(std::nullopt); };

    h.ClickOn(ButtonId(ToolbarButton::Save));

    EXPECT_EQ(h.fake.window.closes, 0);
    EXPECT_EQ(Visibility(h.form), before);
    h.fake.dialogs.on_save_dialog = nullptr;
    h.ClickOn(ButtonId(ToolbarButton::CopyQuit));
    EXPECT_EQ(h.fake.clipboard.content, Crop(h.Shown(), {100, 100, 300, 250}));
    EXPECT_EQ(h.fake.window.closes, 1);
  }
}

// A press already queued when the copy starts (a click right after Enter) reaches no reaction: a
// press outside the selection would throw the selection away and make the copy 0 x 0.
TEST(CopySelection, PressQueuedDuringTheCopy_DoesNotChangeWhatIsCopied) {
  AnnotateHarness h;
  h.fake.window.on_pump = [&] {
    h.fake.window.on_pump = nullptr;
    h.Click(500, 400);
  };
  h.run.KeyPress({key::kReturn});
  EXPECT_EQ(h.fake.clipboard.content, Crop(h.Shown(), {100, 100, 300, 250}));
  EXPECT_EQ(h.fake.window.closes, 1);
}

}  // namespace
}  // namespace capture
