#include "app/script_area.h"

#include <gtest/gtest.h>

namespace capture {
namespace {

// A 1024x768 monitor left of a 1280x800 primary, and a third below the primary's right half.
const ScreenLayout kScreen{
    {-1024, 0},
    {2304, 1100},
    {{{1024, 0, 2304, 800}, 96}, {{1600, 800, 2304, 1100}, 96}, {{0, 0, 1024, 768}, 192}}};

ScriptRequest Monitor(int n) {
  ScriptRequest request;
  request.monitor = n;
  return request;
}

ScriptRequest Region(int x, int y, int width, int height) {
  ScriptRequest request;
  request.grab = Grab::Region;
  request.x = x;
  request.y = y;
  request.width = width;
  request.height = height;
  return request;
}

ScriptRequest Foreground() {
  ScriptRequest request;
  request.grab = Grab::Window;
  return request;
}

RectI Area(const ScriptRequest& request, const RectI& foreground = {}) {
  const AreaToGrab grab = AreaOf(request, kScreen, foreground);
  EXPECT_EQ(grab.error, u"");
  return grab.area;
}

TEST(ScriptAreaTest, GivesTheRectangleInPictureCoordinatesClippedToTheScreen) {
  EXPECT_EQ(Area(Monitor(0)), (RectI{0, 0, 2304, 1100}));
  // Monitors: the primary, then left to right.
  EXPECT_EQ(Area(Monitor(1)), (RectI{1024, 0, 2304, 800}));
  EXPECT_EQ(Area(Monitor(2)), (RectI{0, 0, 1024, 768}));
  EXPECT_EQ(Area(Monitor(3)), (RectI{1600, 800, 2304, 1100}));
  // System coordinates: the left monitor's are negative.
  EXPECT_EQ(Area(Region(-100, 10, 200, 20)), (RectI{924, 10, 1124, 30}));
  EXPECT_EQ(Area(Region(-2000, -5, 1000, 10)), (RectI{0, 0, 24, 5}));
  EXPECT_EQ(Area(Foreground(), {-10, 700, 300, 1200}), (RectI{1014, 700, 1324, 1100}));
}

TEST(ScriptAreaTest, NothingToGrabIsAnError) {
  EXPECT_NE(AreaOf(Monitor(4), kScreen, {}).error.find(u'4'), std::u16string::npos);
  EXPECT_NE(AreaOf(Region(1280, 0, 5, 5), kScreen, {}).error, u"");
  EXPECT_NE(AreaOf(Foreground(), kScreen, {}).error, u"");
}

}  // namespace
}  // namespace capture
