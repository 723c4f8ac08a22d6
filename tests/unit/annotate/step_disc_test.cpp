#include "annotate/step_disc.h"

#include <gtest/gtest.h>

#include "annotate_harness.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

using testing::Changed;

TEST(StepDisc, NumberIsWhite_BlackOnALightColour) {
  for (const Colour dark : {Rgb(255, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 255), Rgb(128, 128, 128),
                            Rgb(0, 128, 0), Rgb(255, 0, 255)}) {
    EXPECT_EQ(NumberColourOn(dark), Rgb(255, 255, 255)) << std::hex << dark;
  }
  for (const Colour light : {Rgb(255, 255, 0), Rgb(255, 255, 255), Rgb(0, 255, 255), Rgb(0, 255, 0),
                             Rgb(192, 192, 192)}) {
    EXPECT_EQ(NumberColourOn(light), Rgb(0, 0, 0)) << std::hex << light;
  }
}

// Filled in the colour within the radius, untouched beyond it, the edge a blend between the two,
// the same all round.
TEST(StepDisc, FilledInside_UntouchedOutside_EdgeBlended) {
  const Picture white(40, 40, 0xFFFFFFu);
  Picture disc = white;
  PaintDisc(disc, 20, 20, 26, Rgb(255, 0, 0));
  EXPECT_EQ(disc.at(20, 20), 0xFF0000u);
  EXPECT_EQ(disc.at(8, 19), 0xFF0000u);
  EXPECT_EQ(Changed(white, disc), (RectI{7, 7, 33, 33}));
  EXPECT_EQ(disc.at(8, 8), 0xFFFFFFu) << "a corner of the box lies outside";
  const std::uint32_t edge = disc.at(7, 19);
  EXPECT_NE(edge, 0xFF0000u);
  EXPECT_NE(edge, 0xFFFFFFu);
  EXPECT_EQ(edge & 0xFF0000u, 0xFF0000u) << "red over white keeps its red";
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(disc.at(i, 19), disc.at(39 - i, 19)) << i;
    EXPECT_EQ(disc.at(19, i), disc.at(i, 19)) << i;
  }
}

// The disc stays inside the selection, however near its edge the pointer is; the number is drawn
// in its middle.
TEST(StepDisc, StaysInsideTheSelection_NumberInItsMiddle) {
  const RectI selection{50, 40, 150, 120};
  for (const PointF at : {PointF{100, 80}, PointF{51, 41}, PointF{400, 400}, PointF{149, 60}}) {
    fake::FakeSurface surface;
    surface.SetPicture(Picture(200, 160, 0xFFFFFFu));
    surface.EndPreview();
    DrawStep(surface, selection, at, 7, Rgb(0, 0, 255), 26, 96);
    const RectI changed = Changed(Picture(200, 160, 0xFFFFFFu), surface.retained());
    EXPECT_EQ(changed.right - changed.left, 26) << at.x << "," << at.y;
    EXPECT_EQ(Intersect(changed, selection), changed) << at.x << "," << at.y;
    ASSERT_EQ(surface.text_calls.size(), 1u);
    const auto& text = surface.text_calls[0];
    EXPECT_EQ(text.text, u"7");
    EXPECT_EQ(text.colour, Rgb(255, 255, 255));
    const int width = static_cast<int>(surface.TextWidth(u"7"));
    EXPECT_NEAR(text.x + width / 2.0, (changed.left + changed.right) / 2.0, 1.0);
  }
}

// A selection too small for the disc gets the largest that fits.
TEST(StepDisc, WholePixelsAcross_ShrinksToASmallSelection) {
  const auto width_drawn = [](const RectI& selection, int dpi) {
    fake::FakeSurface surface;
    surface.SetPicture(Picture(200, 160, 0xFFFFFFu));
    surface.EndPreview();
    DrawStep(surface, selection, {100, 80}, 1, Rgb(0, 0, 0), 20.f * static_cast<float>(dpi) / 96,
             dpi);
    const RectI changed = Changed(Picture(200, 160, 0xFFFFFFu), surface.retained());
    return changed.right - changed.left;
  };
  EXPECT_EQ(width_drawn({0, 0, 200, 160}, 96), 20);
  EXPECT_EQ(width_drawn({0, 0, 200, 160}, 192), 40);
  EXPECT_EQ(width_drawn({90, 70, 104, 100}, 96), 14);
}

}  // namespace
}  // namespace capture
