#include "selection/readout.h"

#include <gtest/gtest.h>

#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

TEST(Readout, SplitRGB_UsesSignedDivisionSoTheInvalidColourReadsMinusOne) {
  std::int32_t r = 0, g = 0, b = 0;
  SplitColour(-1, r, g, b);
  EXPECT_EQ((std::array{r, g, b}), (std::array<std::int32_t, 3>{-1, 0, 0}));
  SplitColour(0x00FF8040, r, g, b);
  EXPECT_EQ((std::array{r, g, b}), (std::array<std::int32_t, 3>{64, 128, 255}));
}

TEST(Readout, SizeText_IsWholeWhenWholeAndGeneralOtherwise) {
  EXPECT_EQ(SizeText(320, 240), u"320x240");
  EXPECT_EQ(SizeText(0, 0), u"0x0");
  EXPECT_EQ(SizeText(297.33334f, 2.5f), u"297.3333x2.5");
}

struct ReadoutTest : ::testing::Test {
  ReadoutTest() {
    Picture picture(64, 48, 0xFFFFFF);
    picture.at(10, 10) = 0xFF0000;  // pure red in the pixel layout
    picture.at(11, 10) = 0x000000;
    h = std::make_unique<FormHarness>(std::move(picture));
  }
  const std::u16string& Colour() { return (*h)[ControlId::ColourLabel].caption; }
  std::unique_ptr<FormHarness> h;
};

TEST_F(ReadoutTest, EveryMoveReadsThePixelUnderThePointer) {
  h->run.MouseMove(0, 10, 10);
  EXPECT_EQ(Colour(), u"RGB(255,0,0)");
  h->run.MouseMove(0, 10.6f, 9.6f);  // rounded to (11, 10)
  EXPECT_EQ(Colour(), u"RGB(0,0,0)");
  h->run.MouseMove(0, 30, 30);
  EXPECT_EQ(Colour(), u"RGB(255,255,255)");
  h->run.MouseMove(0, -5, 30);  // off the picture: the invalid colour
  EXPECT_EQ(Colour(), u"RGB(-1,0,0)");
}

TEST_F(ReadoutTest, ReadsCommittedAnnotationsAndWhileDraggingTheScreenWithItsPreview) {
  Surface& surface = h->fake.surface;
  surface.Line(20, 20, 20, 20, Rgb(0, 0, 255));
  surface.Commit();
  h->run.MouseMove(0, 20, 20);
  EXPECT_EQ(Colour(), u"RGB(0,0,255)");

  surface.Preview();  // as while a shape is dragged out
  surface.Line(30, 30, 30, 30, Rgb(0, 255, 0));
  h->run.MouseMove(0, 30, 30);
  EXPECT_EQ(Colour(), u"RGB(0,255,0)");
  surface.EndPreview();
  h->run.MouseMove(0, 30, 30);
  EXPECT_EQ(Colour(), u"RGB(255,255,255)");  // the preview is not in the picture
}

}  // namespace
}  // namespace capture
