#include "platform/pixels.h"

#include <gtest/gtest.h>

#include <tuple>

namespace capture {
namespace {

// Each pixel tells its place: 0x00XXYY.
Picture Numbered(int width, int height) {
  Picture p(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) p.at(x, y) = static_cast<std::uint32_t>(x << 8 | y);
  }
  return p;
}

constexpr std::uint32_t kUntouched = 0xABCDEFu;

struct CopyCase {
  RectI area;   // in the source, 6x5
  PointI at;    // in the target, 8x7
  RectI moved;  // the pixels of the source that land, in the source's coordinates
};

class CopyPixelsTest : public testing::TestWithParam<CopyCase> {};

// Every pixel of the target is either the source pixel that lands on it or left as it was; the
// target is a part of a wider buffer, whose pixels around it are never written.
TEST_P(CopyPixelsTest, CopiesTheAreaClippedToBothAndNothingElse) {
  const CopyCase c = GetParam();
  const Picture from = Numbered(6, 5);
  Picture buffer(12, 9, kUntouched);
  const PixelTarget to{&buffer.at(2, 1), 8, 7, buffer.width};
  CopyPixels(PixelView::Of(from), c.area, to, c.at);
  for (int y = 0; y < buffer.height; ++y) {
    for (int x = 0; x < buffer.width; ++x) {
      const int sx = x - 2 - (c.at.x - c.area.left), sy = y - 1 - (c.at.y - c.area.top);
      const bool in_target = x >= 2 && x < 10 && y >= 1 && y < 8;
      const std::uint32_t want =
          in_target && PtInRect(c.moved, sx, sy) ? from.at(sx, sy) : kUntouched;
      ASSERT_EQ(buffer.at(x, y), want) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Areas, CopyPixelsTest,
    testing::Values(CopyCase{{0, 0, 6, 5}, {0, 0}, {0, 0, 6, 5}},    // whole, to the corner
                    CopyCase{{1, 2, 4, 4}, {5, 3}, {1, 2, 4, 4}},    // a part, moved
                    CopyCase{{-3, -2, 3, 2}, {0, 0}, {0, 0, 3, 2}},  // off the source's top left
                    CopyCase{{2, 1, 9, 9}, {4, 2}, {2, 1, 6, 5}},    // off the source's far side
                    CopyCase{{0, 0, 6, 5}, {-2, -1}, {2, 1, 6, 5}},  // off the target's top left
                    CopyCase{{0, 0, 6, 5}, {5, 4}, {0, 0, 3, 3}},    // off the target's far side
                    CopyCase{{0, 0, 6, 5}, {8, 0}, {}},              // beside the target
                    CopyCase{{4, 4, 2, 2}, {0, 0}, {}}));            // an empty area

TEST(CropPixels, IsTheAreasPixelsWithBlackBeyondThePicture) {
  const Picture from = Numbered(6, 5);
  const Picture part = CropPixels(PixelView::Of(from), {4, 3, 8, 6});
  ASSERT_EQ(part.width, 4);
  ASSERT_EQ(part.height, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(part.at(x, y), x < 2 && y < 2 ? from.at(4 + x, 3 + y) : 0u) << x << "," << y;
    }
  }
  EXPECT_EQ(CropPixels(PixelView::Of(from), {3, 3, 1, 1}), Picture());
}

TEST(SamePixels, ComparesTheSizeAndEveryPixelButNotTheStride) {
  const Picture a = Numbered(6, 5);
  Picture wide(9, 5);
  CopyPixels(PixelView::Of(a), {0, 0, 6, 5}, PixelTarget::Of(wide), {0, 0});
  const PixelView in_wide{wide.pixels.data(), 6, 5, 9};
  EXPECT_TRUE(SamePixels(PixelView::Of(a), in_wide));
  for (const auto& [x, y] : {std::tuple{0, 0}, std::tuple{5, 4}, std::tuple{3, 2}}) {
    Picture b = a;
    b.at(x, y) ^= 1u;
    EXPECT_FALSE(SamePixels(PixelView::Of(a), PixelView::Of(b))) << x << "," << y;
  }
  EXPECT_FALSE(SamePixels(PixelView::Of(a), {a.pixels.data(), 5, 5, 6}));
  EXPECT_FALSE(SamePixels(PixelView::Of(a), {a.pixels.data(), 6, 4, 6}));
  EXPECT_TRUE(SamePixels(PixelView::Of(Picture()), PixelView::Of(Picture())));
}

}  // namespace
}  // namespace capture
