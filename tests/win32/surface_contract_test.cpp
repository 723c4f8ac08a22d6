// The drawing surface's contract, run against the in-memory surface the unit tests trust and the
// real one: both must answer every case alike, or the unit tests would prove nothing about the
// program.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "shell/win32_surface.h"

namespace capture {
namespace {

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr int kWidth = 96, kHeight = 64;

struct Maker {
  const char* name;
  std::function<std::unique_ptr<Surface>()> make;
};

class SurfaceContract : public ::testing::TestWithParam<Maker> {
 protected:
  void SetUp() override {
    surface = GetParam().make();
    ASSERT_TRUE(surface->Freeze(screen));
    surface->EndPreview();
  }

  // The pixels of the background picture that differ from the frozen screen.
  int ChangedInBackground() const {
    const PixelView background = surface->Background();
    int changed = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (background.Row(y)[x] != frozen.at(x, y)) ++changed;
      }
    }
    return changed;
  }

  Picture frozen = fake::NoisePicture(kWidth, kHeight, 3);
  fake::FakeScreen screen{frozen};
  std::unique_ptr<Surface> surface;
};

TEST_P(SurfaceContract, Freeze_MakesEveryLayerTheScreen) {
  EXPECT_EQ(surface->Size(), (SizeI{kWidth, kHeight}));
  EXPECT_EQ(ColourOf(frozen.at(7, 9)), surface->Pixel(7, 9));
  EXPECT_EQ(surface->Copy({0, 0, kWidth, kHeight}), frozen);
  EXPECT_EQ(surface->Pixel(kWidth, 0), -1);
  EXPECT_FALSE(surface->Freeze(screen)) << "only an empty surface freezes";
}

TEST_P(SurfaceContract, Preview_ShowsTheShapeAndTheNextPreviewOrEndPreviewTakesItBack) {
  surface->Preview();
  surface->Box(10, 10, 30, 20, kRed);
  EXPECT_EQ(surface->Pixel(10, 10), kRed);
  EXPECT_EQ(surface->Pixel(30, 20), kRed);

  surface->Preview();
  surface->Box(40, 30, 50, 40, kBlue);
  EXPECT_EQ(surface->Pixel(10, 10), ColourOf(frozen.at(10, 10))) << "the first preview is gone";
  EXPECT_EQ(surface->Pixel(40, 30), kBlue);

  surface->EndPreview();
  EXPECT_EQ(surface->Pixel(40, 30), ColourOf(frozen.at(40, 30)));
  EXPECT_EQ(surface->Copy({0, 0, kWidth, kHeight}), frozen)
      << "a preview never reaches the picture";
  EXPECT_EQ(ChangedInBackground(), 0);
}

TEST_P(SurfaceContract, CommittedShape_IsInThePictureWithItsChangedArea) {
  surface->TakeBackgroundChanges();
  surface->Box(10, 10, 30, 20, kRed);
  EXPECT_EQ(ChangedInBackground(), 0) << "drawn, not yet committed";
  surface->Commit();

  EXPECT_EQ(ChangedInBackground(), 2 * 21 + 2 * 9);  // the outline, both corners included
  EXPECT_EQ(ColourOf(surface->Background().Row(20)[30]), kRed);
  const RectI changed = surface->TakeBackgroundChanges();
  EXPECT_TRUE(changed.left <= 10 && changed.top <= 10 && changed.right > 30 && changed.bottom > 20);
  EXPECT_TRUE(surface->TakeBackgroundChanges().Empty());
}

TEST_P(SurfaceContract, EndPreview_TakesBackWhatWasDrawnSinceTheLastCommit) {
  surface->Box(10, 10, 30, 20, kRed);
  surface->EndPreview();
  surface->Commit();
  EXPECT_EQ(ChangedInBackground(), 0);
}

TEST_P(SurfaceContract, SetPictureAndShowFrozen_RestoreEveryLayer) {
  for (const int way : {0, 1, 2}) {  // SetPicture, ShowFrozen with and without drawing to follow
    const bool show_frozen = way > 0;
    surface->Box(10, 10, 30, 20, kRed);
    surface->Commit();
    surface->Preview();
    surface->Box(40, 30, 50, 40, kBlue);
    if (show_frozen) {
      surface->ShowFrozen(way == 2);
    } else {
      surface->SetPicture(frozen);
    }

    EXPECT_EQ(ChangedInBackground(), 0) << way;
    EXPECT_EQ(surface->Copy({0, 0, kWidth, kHeight}), frozen) << way;
    EXPECT_EQ(surface->TakeBackgroundChanges(), (RectI{0, 0, kWidth, kHeight})) << way;
    surface->EndPreview();
    EXPECT_EQ(surface->Pixel(40, 30), ColourOf(frozen.at(40, 30))) << way;
  }
}

// A partial redraw: the frozen picture comes back in the area only, drawing of every kind stays
// inside it until the commit, and EndPreview takes it all back.
TEST_P(SurfaceContract, ShowFrozenIn_RestoresTheAreaAndKeepsDrawingInsideItUntilCommit) {
  std::vector<Span> rows(kHeight);
  for (int y = 0; y < kHeight; ++y) rows[static_cast<std::size_t>(y)] = {y, 0, kWidth};
  surface->FillSpans(rows, kRed);
  surface->Commit();
  const Picture red = surface->Copy({0, 0, kWidth, kHeight});
  const RectI area{20, 10, 60, 40};
  Picture expected = red;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) expected.at(x, y) = frozen.at(x, y);
  }
  for (const bool commit : {false, true}) {
    surface->ShowFrozenIn(area);
    EXPECT_EQ(surface->Copy({0, 0, kWidth, kHeight}), expected);
    surface->Line(0, 20, 95, 25, kBlue);
    surface->Box(5, 5, 90, 50, kBlue);
    surface->Ellipse(0, 0, kWidth, kHeight, kBlue);
    surface->SetFontSize(12, 96);
    surface->Text(10, 15, u"WWWWWW", kBlue);
    surface->MultiplySpans(std::vector<Span>{{30, 0, kWidth}}, Rgb(128, 255, 255));
    Picture green(30, 30);
    std::fill(green.pixels.begin(), green.pixels.end(), PixelOf(Rgb(0, 255, 0)));
    surface->Paste(green, 45, 30);
    const Picture after = surface->Copy({0, 0, kWidth, kHeight});
    int outside_changed = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
        outside_changed += !inside && after.at(x, y) != red.at(x, y) ? 1 : 0;
      }
    }
    EXPECT_EQ(outside_changed, 0) << commit;
    EXPECT_EQ(ColourOf(after.at(50, 35)), Rgb(0, 255, 0)) << commit;
    EXPECT_NE(after, expected) << "nothing drawn inside " << commit;
    if (!commit) {
      surface->EndPreview();
      EXPECT_EQ(surface->Copy({0, 0, kWidth, kHeight}), red);
      continue;
    }
    surface->Commit();
    surface->EndPreview();  // committed: nothing to take back
    EXPECT_EQ(surface->Copy({0, 0, kWidth, kHeight}), after);
    surface->Line(0, 60, 95, 60, kBlue);  // after the commit drawing reaches everywhere again
    EXPECT_EQ(surface->Pixel(0, 60), kBlue);
    EXPECT_EQ(surface->Pixel(95, 60), kBlue);
  }
}

// Spans: a preview of them is taken back like any other, and committed they are exactly painted or
// tinted once, rows cut at the surface's edges.
TEST_P(SurfaceContract, Spans_ArePaintedOrTintedExactlyAndPreviewsOfThemAreTakenBack) {
  const std::vector<Span> painted = {{5, 10, 20}, {6, 12, 18}, {7, -4, 3}, {63, 90, 100}};
  const std::vector<Span> tinted = {{5, 18, 30}, {8, 0, 96}, {70, 0, 10}};
  const Colour tint = Rgb(255, 255, 128);
  surface->Preview();
  surface->FillSpans(painted, kRed);
  surface->MultiplySpans(tinted, tint);
  EXPECT_EQ(surface->Pixel(12, 6), kRed);
  surface->EndPreview();
  EXPECT_EQ(surface->Copy({0, 0, kWidth, kHeight}), frozen);

  surface->FillSpans(painted, kRed);
  surface->MultiplySpans(tinted, tint);
  surface->Commit();
  Picture expected = frozen;
  for (const Span& s : painted) {
    for (int x = std::max(0, s.left); x < std::min(kWidth, s.right); ++x) {
      if (s.y < kHeight) expected.at(x, s.y) = PixelOf(kRed);
    }
  }
  for (const Span& s : tinted) {
    for (int x = std::max(0, s.left); x < std::min(kWidth, s.right); ++x) {
      if (s.y < kHeight) expected.at(x, s.y) = MultiplyPixel(expected.at(x, s.y), PixelOf(tint));
    }
  }
  EXPECT_EQ(surface->Copy({0, 0, kWidth, kHeight}), expected);
  int differing = 0;
  for (std::size_t i = 0; i < expected.pixels.size(); ++i) {
    differing += expected.pixels[i] != frozen.pixels[i] ? 1 : 0;
  }
  EXPECT_GT(differing, 100);
  EXPECT_EQ(ChangedInBackground(), differing);
}

TEST_P(SurfaceContract, Copy_OutsideTheSurfaceIsBlack) {
  const Picture copy = surface->Copy({kWidth - 2, 0, kWidth + 2, 1});
  ASSERT_EQ(copy.width, 4);
  EXPECT_EQ(copy.at(0, 0), frozen.at(kWidth - 2, 0));
  EXPECT_EQ(copy.at(3, 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    FakeAndReal, SurfaceContract,
    ::testing::Values(Maker{"fake", [] { return std::make_unique<fake::FakeSurface>(); }},
                      Maker{"win32", [] { return std::make_unique<win32::Win32Surface>(); }}),
    [](const ::testing::TestParamInfo<Maker>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace capture
