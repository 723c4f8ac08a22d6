#include "shell/win32_surface.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/fake/fake_platform.h"
#include "test_support.h"

namespace capture::win32 {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 160, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);

class Win32SurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    surface.SetPicture(test::Plain(kWidth, kHeight, kWhite));
    surface.SetPersistent(true);
  }
  int Changed() {
    return test::CountNot(kWidth, kHeight, kWhite,
                          [&](int x, int y) { return surface.Pixel(x, y); });
  }

  static constexpr int kWidth = 120, kHeight = 90;
  Win32Surface surface;
};

TEST_F(Win32SurfaceTest, Line_IncludesBothEndPoints) {
  surface.Line(5, 5, 20, 5, kRed);
  surface.Line(30.4f, 40.6f, 50, 52, kBlue);

  EXPECT_EQ(surface.Pixel(5, 5), kRed);
  EXPECT_EQ(surface.Pixel(20, 5), kRed);
  EXPECT_EQ(surface.Pixel(21, 5), kWhite);
  EXPECT_EQ(surface.Pixel(4, 5), kWhite);
  EXPECT_EQ(surface.Pixel(30, 41), kBlue);
  EXPECT_EQ(surface.Pixel(50, 52), kBlue);
  EXPECT_EQ(Changed(), 16 + 21);  // one pixel per column of the shallow diagonal
}

TEST_F(Win32SurfaceTest, Box_DrawsTheOutlineWithBothCornersAndLeavesTheInside) {
  surface.Box(30, 20, 10, 10, kRed);  // corners in any order

  for (int x = 10; x <= 30; ++x) {
    EXPECT_EQ(surface.Pixel(x, 10), kRed) << x;
    EXPECT_EQ(surface.Pixel(x, 20), kRed) << x;
  }
  for (int y = 10; y <= 20; ++y) {
    EXPECT_EQ(surface.Pixel(10, y), kRed) << y;
    EXPECT_EQ(surface.Pixel(30, y), kRed) << y;
  }
  EXPECT_EQ(Changed(), 2 * 21 + 2 * 9);
}

TEST_F(Win32SurfaceTest, Ellipse_IsAOnePixelOutlineInsideItsRectangle) {
  surface.Ellipse(10, 10, 70, 50, kBlue);

  // Where the curve runs steeply (the middle rows) each side has exactly one pixel.
  for (int y = 25; y <= 34; ++y) {
    int row = 0;
    for (int x = 0; x < kWidth; ++x) row += surface.Pixel(x, y) == kBlue ? 1 : 0;
    EXPECT_EQ(row, 2) << "row " << y;
  }
  EXPECT_EQ(surface.Pixel(40, 30), kWhite);  // the inside is left as it was
  bool left = false, right = false, top = false, bottom = false;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (surface.Pixel(x, y) != kBlue) continue;
      EXPECT_TRUE(x >= 10 && x < 70 && y >= 10 && y < 50) << x << "," << y;
      left |= x == 10, right |= x == 69, top |= y == 10, bottom |= y == 49;
    }
  }
  EXPECT_TRUE(left && right && top && bottom);
}

TEST_F(Win32SurfaceTest, Pixel_ReadsTheRetainedImageWhilePersistentAndTheWindowLayerOtherwise) {
  surface.SetPersistent(false);
  surface.Line(0, 3, 9, 3, kRed);

  EXPECT_EQ(surface.Pixel(4, 3), kRed);
  surface.SetPersistent(true);
  EXPECT_EQ(surface.Pixel(4, 3), kWhite);
  EXPECT_EQ(surface.Pixel(-1, 3), -1);
  EXPECT_EQ(surface.Pixel(kWidth, 3), -1);
}

TEST_F(Win32SurfaceTest, Clear_WithoutPersistentDrawing_TakesBackOnlyThePreview) {
  surface.Line(0, 10, 50, 10, kGreen);  // kept in the retained image
  surface.SetPersistent(false);
  surface.Box(5, 5, 60, 40, kRed);  // a preview over it

  surface.Clear();

  EXPECT_EQ(surface.Pixel(5, 20), kWhite);
  EXPECT_EQ(surface.Pixel(5, 10), kGreen);
  EXPECT_EQ(surface.Pixel(30, 10), kGreen);
  EXPECT_EQ(Changed(), 51);
}

TEST_F(Win32SurfaceTest, ClearAndCommit_WithPersistentDrawing_FollowTheBackgroundPicture) {
  surface.Line(0, 10, 50, 10, kGreen);
  surface.Clear();
  EXPECT_EQ(Changed(), 0);  // never committed: gone

  surface.Line(0, 10, 50, 10, kGreen);
  surface.Commit();
  surface.Line(0, 20, 50, 20, kRed);
  surface.Clear();

  EXPECT_EQ(surface.Pixel(25, 10), kGreen);
  EXPECT_EQ(surface.Pixel(25, 20), kWhite);
  EXPECT_EQ(ColourOf(surface.Background().Row(10)[25] & 0xFFFFFFu), kGreen);
  EXPECT_EQ(Changed(), 51);
}

// A long slanted line is recorded in bands along it; every pixel it drew must lie in them, or
// taking it back would leave some behind.
TEST_F(Win32SurfaceTest, SlantedLines_AreTakenBackWhole) {
  for (const auto& [x1, y1, x2, y2] :
       {std::array{0.f, 0.f, 119.f, 80.f}, std::array{110.f, 2.f, 3.f, 89.f},
        std::array{7.f, 89.f, 100.f, 1.f}}) {
    surface.SetPersistent(false);
    surface.Line(x1, y1, x2, y2, kRed);
    surface.Clear();
    surface.TakeScreenChanges();
    surface.Line(x1, y1, x2, y2, kRed);
    EXPECT_LT(surface.TakeScreenChanges().Area(), kWidth * kHeight / 2);
    surface.SetPersistent(true);  // takes the preview back
    surface.Line(x1, y1, x2, y2, kBlue);
    EXPECT_EQ(surface.Pixel(Round(x2), Round(y2)), kBlue);
    surface.Clear();
    EXPECT_EQ(Changed(), 0) << x1 << "," << y1 << " to " << x2 << "," << y2;
  }
}

TEST_F(Win32SurfaceTest, Copy_OfARectanglePartlyOutside_IsBlackThere) {
  const Picture noise = fake::NoisePicture(kWidth, kHeight, 7);
  surface.SetPicture(noise);

  const Picture copy = surface.Copy({kWidth - 4, -2, kWidth + 3, 5});

  ASSERT_EQ(copy.width, 7);
  ASSERT_EQ(copy.height, 7);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const int sx = kWidth - 4 + x, sy = y - 2;
      const bool inside = sx < kWidth && sy >= 0;
      EXPECT_EQ(copy.at(x, y), inside ? noise.at(sx, sy) : 0u) << x << "," << y;
    }
  }
  // The same into a picture that held a larger copy: none of its old pixels stay.
  Picture reused = surface.Copy({0, 0, 20, 20});
  surface.CopyInto({kWidth - 4, -2, kWidth + 3, 5}, reused);
  EXPECT_EQ(reused, copy);
}

TEST(Win32SurfaceSize, Paste_IntoASurfaceWithoutSize_TakesThePictureSize) {
  Win32Surface surface;
  surface.SetPersistent(true);
  const Picture noise = fake::NoisePicture(33, 21, 3);

  surface.Paste(noise, 0, 0);
  surface.Commit();

  EXPECT_EQ(surface.Size(), (SizeI{33, 21}));
  EXPECT_EQ(surface.Copy({0, 0, 33, 21}), noise);
  EXPECT_EQ(surface.Background().Row(20)[32] & 0xFFFFFFu, noise.at(32, 20));
}

TEST(Win32SurfaceText, ChineseText_HasAWidthAndPaintsGlyphsOnly) {
  Win32Surface surface;
  surface.SetPicture(test::Plain(200, 60, kWhite));
  surface.SetPersistent(true);
  surface.SetFontSize(11, 96);
  const std::u16string text = u"截屏文字";

  const float small = surface.TextWidth(text);
  surface.SetFontSize(22, 96);
  const float large = surface.TextWidth(text);
  surface.Text(10, 10, text, kRed);

  EXPECT_GT(small, 0);
  EXPECT_GT(large, small * 1.5f);
  int inked = 0, elsewhere = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool in_box = x >= 10 && static_cast<float>(x) < 10 + large + 2 && y >= 10 && y < 50;
      (in_box ? inked : elsewhere) += surface.Pixel(x, y) != kWhite ? 1 : 0;
    }
  }
  EXPECT_GT(inked, 40);
  EXPECT_EQ(elsewhere, 0);
  EXPECT_EQ(surface.Pixel(10, 10), kWhite);  // transparent background around the glyphs
}

// A step's number: the middle of its ink is the given point, within a pixel each way, at the sizes
// of the three discs.
TEST(Win32SurfaceText, CentredDigits_HaveTheirInksMiddleOnThePoint) {
  for (const float points : {8.25f, 10.725f, 14.025f}) {
    Win32Surface surface;
    surface.SetPicture(test::Plain(80, 60, kWhite));
    surface.SetPersistent(true);
    surface.SetFontSize(points, 96);
    surface.TextCentredOn(40, 30, u"28", kRed);
    RectI ink;
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 80; ++x) {
        if (surface.Pixel(x, y) != kWhite) ink = Union(ink, {x, y, x + 1, y + 1});
      }
    }
    ASSERT_FALSE(ink.Empty()) << points;
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 40, 1.0) << points;
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30, 1.0) << points;
  }
}

// The frozen screen is every layer until something is drawn; the first drawing makes the one
// working buffer, the retained image and the background are that buffer with saved tiles put back,
// and the frozen pixels never change.
TEST(Win32SurfaceFrozen, DrawingAfterFreeze_MakesOneBufferAndLeavesTheFrozenScreen) {
  const Picture noise = fake::NoisePicture(130, 70, 5);
  fake::FakeScreen screen(noise);
  Win32Surface surface;
  ASSERT_TRUE(surface.Freeze(screen));
  EXPECT_FALSE(surface.Freeze(screen));  // once per surface
  surface.SetPersistent(true);
  EXPECT_EQ(surface.FullBuffers(), 1);
  EXPECT_EQ(surface.Background().pixels, surface.Frozen().pixels);

  surface.SetPersistent(false);
  surface.Line(0, 3, 129, 3, kRed);   // a preview
  surface.SetPersistent(true);        // takes it back
  surface.Line(0, 5, 129, 5, kBlue);  // drawn, not yet committed
  EXPECT_EQ(surface.FullBuffers(), 2);
  EXPECT_EQ(surface.Pixel(7, 3), ColourOf(noise.at(7, 3)));
  EXPECT_EQ(surface.Pixel(7, 5), kBlue);
  EXPECT_EQ(surface.Background().Row(5)[7] & 0xFFFFFFu, noise.at(7, 5));
  surface.SetPersistent(false);
  surface.Line(0, 5, 129, 5, kRed);  // a preview over the uncommitted drawing
  EXPECT_EQ(surface.Copy({7, 5, 8, 6}).at(0, 0), PixelOf(kBlue));
  EXPECT_EQ(surface.Background().Row(5)[7] & 0xFFFFFFu, noise.at(7, 5));
  surface.Commit();
  EXPECT_EQ(ColourOf(surface.Background().Row(5)[7] & 0xFFFFFFu), kBlue);
  surface.Clear();
  EXPECT_EQ(surface.Pixel(7, 5), kBlue);

  Picture frozen(130, 70);
  for (int y = 0; y < 70; ++y) {
    for (int x = 0; x < 130; ++x) frozen.at(x, y) = surface.Frozen().Row(y)[x] & 0xFFFFFFu;
  }
  EXPECT_EQ(frozen, noise);
  surface.ShowFrozen(true);  // an undo that draws marks again: the working buffer stays
  EXPECT_EQ(surface.FullBuffers(), 2);
  EXPECT_EQ(surface.Copy({0, 0, 130, 70}), noise);
  surface.Line(0, 5, 129, 5, kBlue);
  surface.Commit();
  surface.ShowFrozen(false);  // undo back to the frozen screen alone: the working buffer goes
  EXPECT_EQ(surface.FullBuffers(), 1);
  EXPECT_EQ(surface.Copy({0, 0, 130, 70}), noise);
  surface.Line(0, 5, 129, 5, kBlue);
  surface.Commit();
  surface.SetPicture(noise);  // the same through SetPicture
  EXPECT_EQ(surface.FullBuffers(), 1);
  EXPECT_EQ(surface.Copy({0, 0, 130, 70}), noise);
}

// The window repaints what the surface reports; a preview on a 4K picture must report its own
// pixels, not the screen.
TEST(Win32SurfaceChanges, PreviewAndClear_ReportOnlyWhatTheyTouched) {
  Win32Surface surface;
  surface.SetPicture(test::Plain(3840, 2160, kWhite));
  surface.SetPersistent(true);
  EXPECT_EQ(surface.TakeScreenChanges().Area(), 3840LL * 2160);

  surface.SetPersistent(false);
  surface.Box(100, 100, 3700, 2000, kRed);
  const long long drawn = surface.TakeScreenChanges().Area();
  surface.Clear();
  const DirtyRects cleared = surface.TakeScreenChanges();

  const long long outline = 2LL * 3601 + 2LL * 1901;
  EXPECT_LE(drawn, outline + 8);
  EXPECT_LE(cleared.Area(), outline + 8);
  EXPECT_EQ(surface.Pixel(100, 1000), kWhite);
  EXPECT_EQ(surface.TakeScreenChanges().Area(), 0);  // taken
}

}  // namespace
}  // namespace capture::win32
