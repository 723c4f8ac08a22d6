#include "pin/pin_pixels.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_platform.h"

namespace capture::pin {
namespace {

struct Buffer {
  Buffer(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), 0x12345678) {}
  Target target() { return {pixels.data(), width, height, width}; }
  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  int width, height;
  std::vector<std::uint32_t> pixels;
};

int Alpha(std::uint32_t p) {
  return static_cast<int>(p >> 24);
}

TEST(PinPixels, FrameIsAnOutlineThenAShadowFadingOutwardsAndLeavesTheInside) {
  Buffer b(40, 30);
  DrawFrame(b.target(), 9);
  EXPECT_EQ(b.at(8, 8), kOutline);
  EXPECT_EQ(b.at(31, 21), kOutline);
  EXPECT_EQ(b.at(20, 8), kOutline);
  EXPECT_EQ(b.at(9, 9), 0x12345678u);  // the picture's
  EXPECT_EQ(b.at(30, 20), 0x12345678u);
  EXPECT_EQ(b.at(20, 7), static_cast<std::uint32_t>(kShadowAlpha) << 24);
  int last = kShadowAlpha + 1;
  for (int y = 7; y >= 0; --y) {
    EXPECT_LT(Alpha(b.at(20, y)), last) << y;
    EXPECT_EQ(b.at(20, y) & 0x00FFFFFFu, 0u);  // black, premultiplied
    last = Alpha(b.at(20, y));
  }
  EXPECT_LT(Alpha(b.at(1, 1)), Alpha(b.at(20, 1)));  // rounder at the corners
}

TEST(PinPixels, PictureIsExactAt100NearestAboveAndAveragedBelow) {
  const Picture picture = fake::NoisePicture(4, 2);
  Buffer same(4, 2);
  DrawPicture(PixelView::Of(picture), same.target());
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(same.at(x, y), 0xFF000000u | picture.at(x, y));
  }

  Buffer twice(8, 4);
  DrawPicture(PixelView::Of(picture), twice.target());
  EXPECT_EQ(twice.at(7, 3), 0xFF000000u | picture.at(3, 1));
  EXPECT_EQ(twice.at(2, 1), 0xFF000000u | picture.at(1, 0));

  Picture squares(4, 2);
  for (int x = 0; x < 4; ++x) {
    squares.at(x, 0) = x < 2 ? 0x00FF0000u : 0x000000FFu;
    squares.at(x, 1) = x < 2 ? 0x0000FF00u : 0x000000FFu;
  }
  Buffer half(2, 1);
  DrawPicture(PixelView::Of(squares), half.target());
  EXPECT_EQ(half.at(0, 0), 0xFF808000u);  // red and green, half each (rounded)
  EXPECT_EQ(half.at(1, 0), 0xFF0000FFu);
}

}  // namespace
}  // namespace capture::pin
