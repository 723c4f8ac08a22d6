#include "shell/cursors.h"

#include <gtest/gtest.h>

namespace capture::win32 {
namespace {

// The width of the cursor's picture (its mask is as wide).
int WidthOf(HCURSOR cursor) {
  ICONINFO info{};
  if (!::GetIconInfo(cursor, &info)) return 0;
  BITMAP mask{};
  ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return mask.bmWidth;
}

TEST(Cursors, TakeTheSizeOfTheDpiAndAreLoadedOnce) {
  Cursors cursors;
  const int at96 = WidthOf(cursors.For(Pointer::SizeAll, 96));
  ASSERT_GT(at96, 0);
  EXPECT_EQ(WidthOf(cursors.For(Pointer::SizeAll, 192)), 2 * at96);
  EXPECT_EQ(cursors.For(Pointer::Cross, 192), cursors.For(Pointer::Cross, 192));
  EXPECT_NE(cursors.For(Pointer::Cross, 192), cursors.For(Pointer::SizeAll, 192));
}

}  // namespace
}  // namespace capture::win32
