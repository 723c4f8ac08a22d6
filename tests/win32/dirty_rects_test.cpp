#include "shell/dirty_rects.h"

#include <gtest/gtest.h>

#include "shell/win32_surface.h"
#include "test_support.h"

namespace capture::win32 {
namespace {

TEST(DirtyRects, OverlappingAreas_MergeAndDistantOnesStayApart) {
  DirtyRects rects;
  rects.Add({0, 0, 10, 10});
  rects.Add({5, 0, 15, 10});        // mostly overlapping: merged
  rects.Add({2, 2, 4, 4});          // inside: nothing new
  rects.Add({1000, 0, 1001, 500});  // far away: kept apart
  rects.Add(RectI{});

  ASSERT_EQ(rects.Rects().size(), 2u);
  EXPECT_EQ(rects.Rects()[0], (RectI{0, 0, 15, 10}));
  EXPECT_EQ(rects.Area(), 150 + 500);
  EXPECT_EQ(rects.Bounds(), (RectI{0, 0, 1001, 500}));
}

TEST(DirtyRects, ManyAreas_StaySmallInNumberAndStillCoverEverything) {
  DirtyRects rects;
  std::vector<RectI> added;
  for (int i = 0; i < 200; ++i) {
    const RectI r{(i * 37) % 1900, (i * 53) % 1000, (i * 37) % 1900 + 3, (i * 53) % 1000 + 2};
    rects.Add(r);
    added.push_back(r);
  }

  EXPECT_LE(rects.Rects().size(), DirtyRects::kMaxRects);
  for (const RectI& r : added) {
    bool covered = false;
    for (const RectI& d : rects.Rects()) covered |= Intersect(d, r) == r;
    EXPECT_TRUE(covered) << r.left << "," << r.top;
  }
}

// Every pixel GDI's Ellipse changes lies in the areas recorded for it, for round, flat, tall,
// tiny and unsorted ellipses; and a large one records far less than its bounding box.
TEST(EllipseOutlineAreas, CoverEveryPixelTheEllipseDraws) {
  const RectI cases[] = {{10, 10, 310, 210}, {5, 100, 395, 112}, {150, 3, 166, 297},
                         {20, 20, 23, 24},   {300, 250, 40, 60}, {0, 0, 400, 300}};
  for (const RectI& e : cases) {
    Win32Surface surface;
    surface.SetPicture(test::Plain(400, 300, Rgb(255, 255, 255)));
    surface.SetPersistent(true);
    surface.Ellipse(e.left, e.top, e.right, e.bottom, Rgb(0, 0, 0));
    const std::vector<RectI> areas = EllipseOutlineAreas(e.left, e.top, e.right, e.bottom);
    int drawn = 0;
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 400; ++x) {
        if (surface.Pixel(x, y) != Rgb(0, 0, 0)) continue;
        ++drawn;
        bool covered = false;
        for (const RectI& a : areas) covered |= PtInRect(a, x, y);
        EXPECT_TRUE(covered) << "ellipse " << e.left << "," << e.top << " pixel " << x << "," << y;
      }
    }
    EXPECT_GT(drawn, 0);
  }
  DirtyRects big;
  for (const RectI& a : EllipseOutlineAreas(0, 0, 3000, 2000)) big.Add(a);
  EXPECT_LT(big.Area(), 3000LL * 2000 / 4);
}

}  // namespace
}  // namespace capture::win32
