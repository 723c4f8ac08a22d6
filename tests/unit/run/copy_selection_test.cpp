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
    EXPECT_EQ(h.form.selection_mode, SelectionMode::Move);
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

}  // namespace
}  // namespace capture
