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

namespace capture {
namespace {

constexpr KeyStroke kQuickSaveKey{'S', true, true, false};

TEST(QuickSave, WritesTheSelectionWithItsOpenTextUnderThePatternCopiesAndCloses) {
  AnnotateHarness h;
  h.fake.saving.settings.quick.folder = u"D:\\截图";
  h.ClickOn(ButtonId(ToolbarButton::Text));
  h.Click(150, 160);
  h.run.TextChanged(ControlId::TextBox, u"ab");

  h.run.KeyPress(kQuickSaveKey);

  const std::u16string path = u"D:\\截图\\截图 2026-03-07 090504.png";
  EXPECT_TRUE(h.fake.gdiplus.folders.contains(u"D:\\截图"));
  EXPECT_TRUE(h.fake.gdiplus.files.contains(path));
  EXPECT_EQ(h.fake.saving.quick_saved, std::vector<std::u16string>{path});
  ASSERT_EQ(h.fake.gdiplus.bitmaps.size(), 1u);
  const Picture saved = h.fake.gdiplus.bitmaps[0];
  EXPECT_EQ(saved, Crop(h.Shown(), {100, 100, 300, 250}));
  EXPECT_FALSE(h.fake.surface.text_calls.empty());  // the typed text went into the picture
  EXPECT_EQ(h.fake.clipboard.content, saved);
  EXPECT_EQ(h.fake.window.closes, 1);
  EXPECT_TRUE(h.fake.dialogs.save_requests.empty());
}

TEST(QuickSave, ATakenNameGetsANumberAndTheSettingsChooseFormatQualityAndCopy) {
  AnnotateHarness h;
  SaveSettings& settings = h.fake.saving.settings;
  settings.quick = {u"D:\\s", u"{HH}{mm}", u"jpg"};
  settings.jpeg_quality = 55;
  settings.copy_on_quick_save = false;
  h.fake.gdiplus.files[u"D:\\s\\0905.jpg"] = {};

  h.run.KeyPress(kQuickSaveKey);

  EXPECT_TRUE(h.fake.gdiplus.files.contains(u"D:\\s\\0905 (2).jpg"));
  ASSERT_EQ(h.fake.gdiplus.saves.size(), 1u);
  EXPECT_EQ(h.fake.gdiplus.saves[0].values, std::vector<std::int32_t>{55});
  EXPECT_EQ(h.fake.clipboard.puts, 0);
  EXPECT_EQ(h.fake.window.closes, 1);
}

// Another save (a script's run, another capture) may take the free name while this one encodes:
// its file is never replaced, and this one takes the next free name.
TEST(QuickSave, ANameTakenWhileTheFileIsWritten_IsKeptAndTheNextFreeNameTaken) {
  AnnotateHarness h;
  h.fake.saving.settings.quick = {u"D:\\s", u"shot", u"png"};
  const std::vector<std::uint8_t> theirs{1, 2, 3};
  h.fake.gdiplus.before_move = [&](const std::u16string& to) {
    if (!h.fake.gdiplus.files.contains(to) && to.find(u"(3)") == to.npos) {
      h.fake.gdiplus.files[to] = theirs;
    }
  };

  h.run.KeyPress(kQuickSaveKey);

  EXPECT_EQ(h.fake.gdiplus.files[u"D:\\s\\shot.png"], theirs);
  EXPECT_EQ(h.fake.gdiplus.files[u"D:\\s\\shot (2).png"], theirs);
  EXPECT_EQ(h.fake.saving.quick_saved, std::vector<std::u16string>{u"D:\\s\\shot (3).png"});
  EXPECT_NE(h.fake.gdiplus.files[u"D:\\s\\shot (3).png"], theirs);
  EXPECT_EQ(h.fake.gdiplus.files.size(), 3u);  // no temporary file left behind
  EXPECT_EQ(h.fake.window.closes, 1);
}

// However many names are taken, the save ends: it says so and the capture goes on.
TEST(QuickSave, WhenEveryNameIsTaken_SaysSoAndTheWindowStays) {
  AnnotateHarness h;
  h.fake.saving.settings.quick = {u"D:\\s", u"shot", u"png"};
  int moves = 0;
  h.fake.gdiplus.before_move = [&](const std::u16string& to) {
    ++moves;
    h.fake.gdiplus.files[to] = {};
  };

  h.run.KeyPress(kQuickSaveKey);

  EXPECT_EQ(moves, 100);
  ASSERT_EQ(h.fake.dialogs.messages.size(), 1u);
  EXPECT_NE(h.fake.dialogs.messages[0].text.find(u"错误号: 58\r\n错误描述: 文件已存在"),
            std::u16string::npos);
  EXPECT_EQ(h.fake.gdiplus.files.size(), 100u);  // theirs; no temporary file left
  EXPECT_TRUE(h.fake.saving.quick_saved.empty());
  EXPECT_EQ(h.fake.window.closes, 0);
}

TEST(QuickSave, AFolderThatCannotBeMade_SaysWhyAndTheWindowStaysAsItWas) {
  AnnotateHarness h;
  h.fake.saving.settings.quick.folder = u"Q:\\nowhere";
  h.fake.gdiplus.make_folder_error = FileError{3, u"系统找不到指定的路径。"};
  const std::vector<bool> before = Visibility(h.form);

  h.run.KeyPress(kQuickSaveKey);

  ASSERT_EQ(h.fake.dialogs.messages.size(), 1u);
  EXPECT_NE(h.fake.dialogs.messages[0].text.find(u"Q:\\nowhere：系统找不到指定的路径。"),
            std::u16string::npos);
  EXPECT_TRUE(h.fake.saving.quick_saved.empty());
  EXPECT_EQ(h.fake.window.closes, 0);
  EXPECT_EQ(Visibility(h.form), before);
}

TEST(QuickSave, WhereSaveCouldNotBeClicked_TheKeyDoesNothing) {
  AnnotateHarness thrown_away;
  thrown_away.Click(200, 200, button::kRight);
  AnnotateHarness held;
  held.run.MouseDown(button::kLeft, 200, 200);
  for (AnnotateHarness* h : {&thrown_away, &held}) {
    h->run.KeyPress(kQuickSaveKey);
    EXPECT_TRUE(h->fake.gdiplus.calls.empty());
    EXPECT_EQ(h->fake.window.closes, 0);
  }
}

}  // namespace
}  // namespace capture
