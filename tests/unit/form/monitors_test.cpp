#include "form/monitors.h"

#include <gtest/gtest.h>

namespace capture {
namespace {

// 1024x768 left of a 1280x800 primary: the window's (0,0) is the left monitor's top-left, and the
// strip below the left monitor (y 768..800, x < 1024) is shown by neither.
const std::vector<Monitor> kDesk{{{1024, 0, 2304, 800}, 96}, {{0, 0, 1024, 768}, 192}};

TEST(MonitorAt, HoldingMonitorElseTheNearest) {
  EXPECT_EQ(MonitorAt(kDesk, {0, 0}).dpi, 192);
  EXPECT_EQ(MonitorAt(kDesk, {1023, 767}).dpi, 192);
  EXPECT_EQ(MonitorAt(kDesk, {1024, 0}).dpi, 96);
  EXPECT_EQ(MonitorAt(kDesk, {2303, 799}).dpi, 96);
  EXPECT_EQ(MonitorAt(kDesk, {100, 790}).dpi, 192);   // in the gap, 23 px below the left one
  EXPECT_EQ(MonitorAt(kDesk, {1020, 799}).dpi, 96);   // in the gap, 4 px left of the primary
  EXPECT_EQ(MonitorAt(kDesk, {-50, 9000}).dpi, 192);  // outside everything
}

}  // namespace
}  // namespace capture
