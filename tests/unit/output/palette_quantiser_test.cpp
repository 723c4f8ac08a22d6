#include "output/palette_quantiser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

// Mean absolute difference per channel between the picture and its quantised form.
double MeanError(const Picture& picture, const IndexedPicture& quantised) {
  double total = 0;
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const std::uint32_t a = picture.pixels[i], b = quantised.palette.at(quantised.indices[i]);
    for (int shift : {0, 8, 16}) {
      total += std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
    }
  }
  return total / (3.0 * static_cast<double>(picture.pixels.size()));
}

// The same for the fixed 216-colour web palette (levels 0, 51, ..., 255 per channel).
double WebSafeError(const Picture& picture) {
  double total = 0;
  for (const std::uint32_t p : picture.pixels) {
    for (int shift : {0, 8, 16}) {
      const int v = static_cast<int>(p >> shift & 0xFF);
      total += std::abs(v - (v + 25) / 51 * 51);
    }
  }
  return total / (3.0 * static_cast<double>(picture.pixels.size()));
}

void ExpectWellFormed(const IndexedPicture& q, const Picture& picture) {
  EXPECT_EQ(q.width, picture.width);
  EXPECT_EQ(q.height, picture.height);
  ASSERT_EQ(q.indices.size(), picture.pixels.size());
  ASSERT_GE(q.palette.size(), 1u);
  ASSERT_LE(q.palette.size(), 256u);
  for (const std::uint8_t i : q.indices) ASSERT_LT(i, q.palette.size());
}

TEST(PaletteQuantiserTest, PictureOf256Colours_IsKeptExactly) {
  Picture picture(64, 64);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    picture.pixels[i] = (i * 37 % 256) * 0x010307u & 0xFFFFFF;  // 256 distinct colours, mixed
  }

  const IndexedPicture q = QuantisePicture(picture);

  ExpectWellFormed(q, picture);
  EXPECT_EQ(q.palette.size(), 256u);
  EXPECT_EQ(MeanError(picture, q), 0.0);
}

TEST(PaletteQuantiserTest, ScreenshotOfFewColours_KeepsOnlyThoseColours) {
  Picture picture(40, 30, 0xFFFFFF);
  for (int x = 0; x < 40; ++x) picture.at(x, 10) = 0x0078D7;
  picture.at(5, 5) = 0x000000;

  const IndexedPicture q = QuantisePicture(picture);

  ExpectWellFormed(q, picture);
  EXPECT_EQ(q.palette.size(), 3u);
  EXPECT_EQ(MeanError(picture, q), 0.0);
}

TEST(PaletteQuantiserTest, Photograph_IsFarCloserThanTheWebPalette) {
  const Picture picture = fake::PhotographicPicture(320, 240, 3);

  const IndexedPicture q = QuantisePicture(picture);

  ExpectWellFormed(q, picture);
  const double error = MeanError(picture, q), web = WebSafeError(picture);
  std::printf("mean error per channel: chosen palette %.2f, web palette %.2f\n", error, web);
  // The grain alone spreads every colour over 8 levels a channel, which bounds what 256 colours
  // can do; an undithered octree palette gets about 5.4 here.
  EXPECT_LT(error, 5.2);
  EXPECT_LT(error, web / 2.5);
}

TEST(PaletteQuantiserTest, AllDifferentColours_StillFitInThePalette) {
  const Picture picture = fake::NoisePicture(300, 200, 11);  // nearly every pixel distinct

  const IndexedPicture q = QuantisePicture(picture);

  ExpectWellFormed(q, picture);
  EXPECT_EQ(q.palette.size(), 256u);
  // Uniform noise over the cube: 256 cells of side ~40 give a mean error near 10 per channel.
  EXPECT_LT(MeanError(picture, q), 14.0);
}

TEST(PaletteQuantiserTest, TwoHundredFiftySevenColours_LoseAlmostNothing) {
  Picture picture(257, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 257; ++x) picture.at(x, y) = static_cast<std::uint32_t>(x) * 0x000101u;
  }

  const IndexedPicture q = QuantisePicture(picture);

  ExpectWellFormed(q, picture);
  EXPECT_LT(MeanError(picture, q), 0.05);
}

}  // namespace
}  // namespace capture
