#include "shell/mouse_input.h"

#include <gtest/gtest.h>

namespace capture::win32 {
namespace {

using Kind = MouseInput::Kind;

TEST(UnpackMouse, PressesAndReleases_NameTheirButtonAndWhatIsStillHeld) {
  const auto right = UnpackMouse(WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, MAKELPARAM(7, 9));
  const auto middle_up = UnpackMouse(WM_MBUTTONUP, MK_LBUTTON, MAKELPARAM(7, 9));
  const auto twice = UnpackMouse(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 9));

  ASSERT_TRUE(right && middle_up && twice);
  EXPECT_EQ(right->kind, Kind::Down);
  EXPECT_EQ(right->button, 2);
  EXPECT_EQ(right->buttons, 3);
  EXPECT_EQ(middle_up->kind, Kind::Up);
  EXPECT_EQ(middle_up->button, 4);
  EXPECT_EQ(middle_up->buttons, 1);
  EXPECT_EQ(twice->kind, Kind::DoubleClick);
  EXPECT_EQ(twice->button, 1);
}

TEST(UnpackMouse, Moves_CarryHeldButtonsAndNegativeCapturedPositions) {
  const auto move = UnpackMouse(WM_MOUSEMOVE, MK_MBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL,
                                MAKELPARAM(static_cast<WORD>(-12), static_cast<WORD>(-3)));

  ASSERT_TRUE(move);
  EXPECT_EQ(move->kind, Kind::Move);
  EXPECT_EQ(move->buttons, 2 + 4);
  EXPECT_EQ(move->x, -12.f);
  EXPECT_EQ(move->y, -3.f);
  EXPECT_FALSE(UnpackMouse(WM_KEYDOWN, 0, 0));
}

}  // namespace
}  // namespace capture::win32
