#include <gtest/gtest.h>

#include "annotate/annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

// The pin button takes the selection as the window shows it, an open text box drawn in, and puts
// it where it was; the clipboard and the files are left alone, and the capture ends.
TEST(PinSelection, PinsTheShownSelectionInPlaceAndEndsTheCapture) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  h.Drag(120, 130, 180, 170);
  h.ClickOn(ButtonId(ToolbarButton::Text));
  h.Click(150, 200);
  h.run.TextChanged(ControlId::TextBox, u"x");
  const RectI selection = h.form.SelectionRect();

  h.ClickOn(ButtonId(ToolbarButton::Pin));

  ASSERT_EQ(h.fake.pinboard.pins.size(), 1u);
  const auto& pin = h.fake.pinboard.pins[0];
  EXPECT_EQ(pin.top_left, (PointI{selection.left, selection.top}));
  EXPECT_EQ(pin.picture, Crop(h.Shown(), selection));  // the rectangle and the text included
  EXPECT_FALSE(h[ControlId::TextBox].visible);
  EXPECT_TRUE(h.form.Closed());
  EXPECT_EQ(h.fake.clipboard.puts + h.fake.clipboard.empties, 0);
  EXPECT_TRUE(h.fake.dialogs.save_requests.empty());
}

TEST(PinSelection, PinThatCannotBeMade_IsReportedAndTheWindowStaysAsItWas) {
  AnnotateHarness h;
  h.fake.pinboard.pin_succeeds = false;
  std::vector<bool> before;
  for (const Control& c : h.form.controls.All()) before.push_back(c.visible);

  h.run.KeyPress({key::kF3, false, false, false});

  std::vector<bool> after;
  for (const Control& c : h.form.controls.All()) after.push_back(c.visible);
  EXPECT_EQ(after, before);
  EXPECT_FALSE(h.form.Closed());
  ASSERT_EQ(h.fake.dialogs.messages.size(), 1u);
  EXPECT_NE(h.fake.dialogs.messages[0].text.find(u"429"), std::u16string::npos);
}

}  // namespace
}  // namespace capture
