#include "annotate/area_effects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "annotate_harness.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

using testing::Crop;

int ChannelOf(std::uint32_t pixel, int c) {
  return static_cast<int>((pixel >> (16 - 8 * c)) & 0xFFu);
}

struct PixelateCase {
  RectI area;
  int cell;
};

class PixelateTest : public ::testing::TestWithParam<PixelateCase> {};

// Every pixel is the rounded mean of the cell it lies in, the cells counted from the area's
// top-left and cut off at its right and bottom edges.
TEST_P(PixelateTest, EachCellIsTheMeanOfWhatItCovers_CellsFromTheAreasTopLeft) {
  const auto [area, cell] = GetParam();
  const Picture picture = fake::NoisePicture(120, 90);
  const Picture out = Pixelate(PixelView::Of(picture), area, cell);
  ASSERT_EQ(out.width, area.right - area.left);
  ASSERT_EQ(out.height, area.bottom - area.top);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const int left = x / cell * cell, top = y / cell * cell;
      const int right = std::min(left + cell, out.width), bottom = std::min(top + cell, out.height);
      const int count = (right - left) * (bottom - top);
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int cy = top; cy < bottom; ++cy) {
          for (int cx = left; cx < right; ++cx) {
            sum += ChannelOf(picture.at(area.left + cx, area.top + cy), c);
          }
        }
        ASSERT_EQ(ChannelOf(out.at(x, y), c), (sum + count / 2) / count)
            << "pixel " << x << "," << y << " channel " << c;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cells, PixelateTest,
                         ::testing::Values(PixelateCase{{0, 0, 120, 90}, 8},
                                           PixelateCase{{13, 7, 63, 52}, 12},
                                           PixelateCase{{5, 3, 46, 24}, 20},
                                           PixelateCase{{40, 40, 43, 41}, 8},
                                           PixelateCase{{1, 1, 17, 17}, 1}));

// A blurred area is the same part of the whole picture blurred: no seam at the area's border, and
// no other pixels than those within reach count.
TEST(Blur, AnAreaIsThatPartOfTheWholePictureBlurred) {
  const Picture picture = fake::NoisePicture(160, 120);
  const RectI whole{0, 0, 160, 120};
  for (const RectI area : {RectI{40, 30, 110, 90}, RectI{0, 0, 30, 20}, RectI{150, 100, 160, 120},
                           RectI{70, 0, 71, 120}}) {
    EXPECT_EQ(Blur(PixelView::Of(picture), area, 4),
              Crop(Blur(PixelView::Of(picture), whole, 4), area))
        << area.left << "," << area.top;
  }
}

// One colour stays exactly that colour; a bright line spreads evenly over 3 * box pixels each
// side and no further; text-like strokes (one pixel dark, two light) leave almost no contrast.
TEST(Blur, KeepsFlatColour_ReachesThreeBoxes_FlattensStrokes) {
  const Picture flat(50, 40, 0x3C6E9Au);
  EXPECT_EQ(Blur(PixelView::Of(flat), {5, 5, 45, 35}, 4), Picture(40, 30, 0x3C6E9Au));

  Picture line(61, 20, 0);
  for (int y = 0; y < line.height; ++y) line.at(30, y) = 0xFFFFFFu;
  const Picture spread = Blur(PixelView::Of(line), {0, 0, 61, 20}, 4);
  EXPECT_LT(spread.at(30, 10), 0x404040u) << "spread out";
  for (int d = 1; d <= 13; ++d) {
    EXPECT_EQ(spread.at(30 - d, 10), spread.at(30 + d, 10)) << d;
    EXPECT_EQ(spread.at(30 + d, 10) == 0, d > 11) << d;
  }

  Picture strokes(90, 40, 0xFFFFFFu);
  for (int y = 0; y < strokes.height; ++y) {
    for (int x = 0; x < strokes.width; x += 3) strokes.at(x, y) = 0;
  }
  const Picture blurred = Blur(PixelView::Of(strokes), {20, 10, 70, 30}, 4);
  const auto [lo, hi] = std::minmax_element(blurred.pixels.begin(), blurred.pixels.end());
  EXPECT_LE(ChannelOf(*hi, 1) - ChannelOf(*lo, 1), 8) << "of 255 before";
}

}  // namespace
}  // namespace capture
