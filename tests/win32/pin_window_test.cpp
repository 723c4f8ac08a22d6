#include "shell/pin_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_platform.h"

namespace capture::win32 {
namespace {

// Records what the pin asks of its owner.
struct RecordingOwner : PinWindow::Owner {
  void Act(PinWindow&, pin::Command command) override { commands.push_back(command); }
  void SessionEnding() override { ++session_endings; }
  std::vector<pin::Command> commands;
  int session_endings = 0;
};

RECT WindowRect(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return r;
}

class PinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(pin.Create(::GetModuleHandleW(nullptr))); }
  void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }

  Picture picture = fake::NoisePicture(120, 80, 3);
  RecordingOwner owner;
  PinWindow pin{owner, picture, {40, 30}};
};

TEST_F(PinWindowTest, IsATopmostLayeredToolWindowAroundThePictureAndKeepsItsPixels) {
  const auto ex = static_cast<DWORD>(::GetWindowLongPtrW(pin.hwnd(), GWL_EXSTYLE));
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);  // no taskbar button
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(::IsWindowVisible(pin.hwnd()));
  EXPECT_NE(::GetForegroundWindow(), pin.hwnd());  // shown without the keyboard
  const int m = pin.view().frame().margin();
  const RECT r = WindowRect(pin.hwnd());
  EXPECT_EQ(r.left, 40 - m);
  EXPECT_EQ(r.top, 30 - m);
  EXPECT_EQ(r.right, 40 + 120 + m);
  EXPECT_EQ(r.bottom, 30 + 80 + m);
  EXPECT_EQ(pin.TakePicture(), picture);
}

// A monitor of twice the DPI suggests a rectangle twice as large: the picture keeps its place and
// its pixels, only the frame grows.
TEST_F(PinWindowTest, DpiChange_KeepsThePicture1To1WhereItIs) {
  RECT suggested{0, 0, 400, 300};
  ::SendMessageW(pin.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
  const int m = pin.view().frame().margin();
  EXPECT_EQ(m, pin::FrameAt(192).margin());
  const RECT r = WindowRect(pin.hwnd());
  EXPECT_EQ(r.left, 40 - m);
  EXPECT_EQ(r.right, 40 + 120 + m);
  EXPECT_EQ(pin.TakePicture(), picture);
}

TEST_F(PinWindowTest, KeysAndDoubleClickGoToTheOwnerOrMoveThePin) {
  ::SendMessageW(pin.hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(pin.view().PictureRect().left, 41);
  ::SendMessageW(pin.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageW(pin.hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
  Pump();
  EXPECT_EQ(owner.commands, (std::vector{pin::Command::Close, pin::Command::Close}));
  EXPECT_EQ(WindowRect(pin.hwnd()).left, 41 - pin.view().frame().margin());
}

// Only a session that does end tells the owner, and closes nothing by itself.
TEST_F(PinWindowTest, TheEndOfTheSessionGoesToTheOwner) {
  ::SendMessageW(pin.hwnd(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_EQ(owner.session_endings, 0);
  ::SendMessageW(pin.hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(owner.session_endings, 1);
  EXPECT_TRUE(owner.commands.empty());
}

TEST_F(PinWindowTest, AKeptPinComesBackAtItsZoomAndOpacity) {
  PinWindow again{owner, picture, pin::KeptPin{{0, 0}, 200, 60}, {70, 50}};
  ASSERT_TRUE(again.Create(::GetModuleHandleW(nullptr)));
  EXPECT_EQ(again.view().PictureRect(), (RectI{70, 50, 70 + 240, 50 + 160}));
  EXPECT_EQ(again.view().opacity(), 60);
  const int m = again.view().frame().margin();
  const RECT r = WindowRect(again.hwnd());
  EXPECT_EQ(r.left, 70 - m);
  EXPECT_EQ(r.right, 70 + 240 + m);
  EXPECT_EQ(again.TakePicture(), picture);
}

}  // namespace
}  // namespace capture::win32
