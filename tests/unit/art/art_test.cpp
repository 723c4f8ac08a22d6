#include "art/art.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace capture {
namespace {

constexpr std::array kToolbar{Art::ToolRect,   Art::ToolEllipse, Art::ToolText,
                              Art::ToolArrow,  Art::ToolPen,     Art::ToolHighlighter,
                              Art::ToolMosaic, Art::ToolSteps,   Art::Undo,
                              Art::Redo,       Art::Save,        Art::Quit,
                              Art::CopyQuit,   Art::Pin};
// The style panel's choices, from the first pen width to the last step disc.
std::vector<Art> Choices() {
  std::vector<Art> all;
  for (int a = static_cast<int>(Art::ChoicePen_0); a <= static_cast<int>(Art::Last); ++a) {
    all.push_back(static_cast<Art>(a));
  }
  return all;
}
constexpr std::array kComboLooks{Art::ComboNormal, Art::ComboHover, Art::ComboPressed};

int Alpha(std::uint32_t p) {
  return static_cast<int>(p >> 24);
}
int Red(std::uint32_t p) {
  return static_cast<int>((p >> 16) & 0xFF);
}
int Green(std::uint32_t p) {
  return static_cast<int>((p >> 8) & 0xFF);
}
int Blue(std::uint32_t p) {
  return static_cast<int>(p & 0xFF);
}

// Share of the icon's ink (opacity-weighted) whose colour passes the test.
template <class Test>
double InkShare(const Icon& icon, Test test) {
  double all = 0, passing = 0;
  for (std::uint32_t p : icon.argb) {
    all += Alpha(p);
    if (test(p)) passing += Alpha(p);
  }
  return all > 0 ? passing / all : 0;
}

// Ink in the left and the right half of the icon.
std::array<double, 2> LeftRightInk(const Icon& icon) {
  std::array<double, 2> ink{};
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      ink[x < icon.width / 2 ? 0 : 1] +=
          Alpha(icon.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(icon.width) +
                          static_cast<std::size_t>(x)]);
    }
  }
  return ink;
}

double MeanBrightness(const Icon& icon, int left, int right) {
  double sum = 0;
  int n = 0;
  for (int y = 0; y < icon.height; ++y) {
    for (int x = left; x < right; ++x, ++n) {
      const std::uint32_t p =
          icon.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(icon.width) +
                    static_cast<std::size_t>(x)];
      sum += Red(p) + Green(p) + Blue(p);
    }
  }
  return sum / n;
}

TEST(ArtTest, EveryPictureHasItsFixedSizeAndIsDrawnOnce) {
  for (Art a : kToolbar) {
    EXPECT_EQ(ArtIcon(a).width, 16);
    EXPECT_EQ(ArtIcon(a).height, 16);
    EXPECT_EQ(ArtIcon(a).argb.size(), 256u);
  }
  EXPECT_EQ(ArtIcon(Art::FontSize).width, 16);
  EXPECT_EQ(ArtIcon(Art::FontSize).height, 16);
  for (Art a : kComboLooks) {
    EXPECT_EQ(ArtIcon(a).width, 50);
    EXPECT_EQ(ArtIcon(a).height, 22);
    EXPECT_EQ(ArtIcon(a).argb.size(), 50u * 22u);
  }
  for (Art a : Choices()) {
    EXPECT_EQ(ArtIcon(a).width, 16);
    EXPECT_EQ(ArtIcon(a).argb.size(), 256u);
  }
  EXPECT_EQ(ArtIcon(Art::None).width, 0);
  EXPECT_TRUE(ArtIcon(Art::None).argb.empty());
  EXPECT_EQ(&ArtIcon(Art::Save), &ArtIcon(Art::Save));
}

TEST(ArtTest, Handle_IsAnOpaqueSquareOfTheSelectionBlue) {
  const Icon& handle = ArtIcon(Art::Handle);

  ASSERT_EQ(handle.width, 4);
  ASSERT_EQ(handle.height, 4);
  ASSERT_EQ(handle.argb.size(), 16u);
  for (std::uint32_t p : handle.argb) EXPECT_EQ(p, 0xFF007AECu);
}

TEST(ArtTest, ToolbarIcons_ShowTheStripThroughAndAreAllDifferent) {
  for (Art a : kToolbar) {
    const auto& px = ArtIcon(a).argb;
    EXPECT_TRUE(std::any_of(px.begin(), px.end(), [](auto p) { return Alpha(p) == 0; }))
        << static_cast<int>(a);
    EXPECT_TRUE(std::any_of(px.begin(), px.end(), [](auto p) { return Alpha(p) == 255; }))
        << static_cast<int>(a);
  }
  for (std::size_t i = 0; i < kToolbar.size(); ++i) {
    for (std::size_t j = i + 1; j < kToolbar.size(); ++j) {
      EXPECT_NE(ArtIcon(kToolbar[i]).argb, ArtIcon(kToolbar[j]).argb) << i << " and " << j;
    }
  }
  const std::vector<Art> choices = Choices();
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const auto& px = ArtIcon(choices[i]).argb;
    EXPECT_TRUE(std::any_of(px.begin(), px.end(), [](auto p) { return Alpha(p) == 0; })) << i;
    for (std::size_t j = i + 1; j < choices.size(); ++j) {
      EXPECT_NE(px, ArtIcon(choices[j]).argb) << i << " and " << j;
    }
  }
}

TEST(ArtTest, QuitIsOrangeCopyQuitIsGreenFontSizeIsBlue) {
  const auto orange = [](std::uint32_t p) {
    return Red(p) > Green(p) + 60 && Green(p) > Blue(p) + 40;
  };
  const auto green = [](std::uint32_t p) {
    return Green(p) > Red(p) + 40 && Green(p) > Blue(p) + 40;
  };
  const auto blue = [](std::uint32_t p) {
    return Blue(p) > Red(p) + 60 && Blue(p) > Green(p) + 20;
  };

  EXPECT_GT(InkShare(ArtIcon(Art::Quit), orange), 0.9);
  EXPECT_GT(InkShare(ArtIcon(Art::CopyQuit), green), 0.9);
  EXPECT_GT(InkShare(ArtIcon(Art::FontSize), blue), 0.9);
  EXPECT_LT(InkShare(ArtIcon(Art::ToolText), blue), 0.1);  // the text tool's A is not blue
}

TEST(ArtTest, UndoLeansLeftAndRedoIsItsMirror) {
  const auto undo = LeftRightInk(ArtIcon(Art::Undo));
  const auto redo = LeftRightInk(ArtIcon(Art::Redo));

  EXPECT_GT(undo[0], undo[1] * 1.1);
  EXPECT_GT(redo[1], redo[0] * 1.1);
  EXPECT_NEAR(undo[0], redo[1], undo[0] * 0.02);
  EXPECT_NEAR(undo[1], redo[0], undo[1] * 0.02);
}

TEST(ArtTest, ComboLooks_AreOpaqueWithAWhiteFieldAndOnlyTheButtonLit) {
  constexpr int kButtonLeft = 32;  // the button part, border included
  const Icon& normal = ArtIcon(Art::ComboNormal);
  const Icon& hover = ArtIcon(Art::ComboHover);
  const Icon& pressed = ArtIcon(Art::ComboPressed);

  for (Art a : kComboLooks) {
    const Icon& look = ArtIcon(a);
    for (std::uint32_t p : look.argb) ASSERT_EQ(Alpha(p), 255);
    // The font-size text box lies on the field at (4, 4), 23 x 14 pixels.
    for (int y = 4; y < 18; ++y) {
      for (int x = 4; x < 27; ++x)
        ASSERT_EQ(look.argb[static_cast<std::size_t>(y * 50 + x)], 0xFFFFFFFFu) << x << "," << y;
    }
  }
  EXPECT_GT(MeanBrightness(normal, kButtonLeft + 1, 49),
            MeanBrightness(hover, kButtonLeft + 1, 49));
  EXPECT_GT(MeanBrightness(hover, kButtonLeft + 1, 49),
            MeanBrightness(pressed, kButtonLeft + 1, 49));
  EXPECT_GT(InkShare(pressed, [](std::uint32_t p) { return Blue(p) > Red(p) + 40; }), 0.1);
}

// At 144 and 192 DPI each picture is drawn for the finer grid: 1.5 and 2 times as many pixels.
class ArtAtDpi : public ::testing::TestWithParam<std::array<int, 4>> {};

TEST_P(ArtAtDpi, PicturesTakeTheScaledSize) {
  const auto [dpi, icon, combo_width, handle] = GetParam();
  for (Art a : kToolbar) EXPECT_EQ(ArtIcon(a, dpi).width, icon);
  EXPECT_EQ(ArtIcon(Art::FontSize, dpi).height, icon);
  EXPECT_EQ(ArtIcon(Art::ComboHover, dpi).width, combo_width);
  EXPECT_EQ(ArtIcon(Art::Handle, dpi).width, handle);
  EXPECT_EQ(ArtIcon(Art::Handle, dpi).argb.size(), static_cast<std::size_t>(handle * handle));
}
INSTANTIATE_TEST_SUITE_P(Scales, ArtAtDpi,
                         ::testing::Values(std::array{144, 24, 75, 6},
                                           std::array{192, 32, 100, 8}));

TEST(ArtTest, AtTwiceTheDpi_IconsAreRedrawnNotStretched) {
  for (Art a : kToolbar) {
    const Icon& small = ArtIcon(a, 96);
    const Icon& large = ArtIcon(a, 192);
    ASSERT_EQ(large.width, 2 * small.width);
    bool stretched = true;  // every 2 x 2 block a copy of its pixel at 96 DPI
    long difference = 0;    // between the 96-DPI alpha and the mean of its 2 x 2 block
    for (int y = 0; y < small.height; ++y) {
      for (int x = 0; x < small.width; ++x) {
        const std::uint32_t p =
            small.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(small.width) +
                       static_cast<std::size_t>(x)];
        int block = 0;
        for (int j = 0; j < 2; ++j) {
          for (int i = 0; i < 2; ++i) {
            const std::uint32_t q = large.argb[static_cast<std::size_t>(2 * y + j) *
                                                   static_cast<std::size_t>(large.width) +
                                               static_cast<std::size_t>(2 * x + i)];
            stretched = stretched && q == p;
            block += Alpha(q);
          }
        }
        difference += std::abs(block / 4 - Alpha(p));
      }
    }
    // The rectangle's and the mosaic's edges lie on whole pixels: redrawn, they are their
    // stretched selves.
    if (a != Art::ToolRect && a != Art::ToolMosaic) {
      EXPECT_FALSE(stretched) << static_cast<int>(a);
    }
    // The same drawing: on average within a few levels of 255 per pixel.
    EXPECT_LT(difference / (static_cast<long>(small.width) * small.height), 6)
        << static_cast<int>(a);
  }
}

}  // namespace
}  // namespace capture
