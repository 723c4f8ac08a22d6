#include "shell/notify_icon.h"

#include <gtest/gtest.h>

#include "shell/handles.h"

namespace capture::win32 {
namespace {

// Whether a balloon (a tooltip window, the notification area's) shows within 4 s, messages handled
// (Wine shows one 2 s after it is asked for).
bool BalloonShows() {
  for (int i = 0; i < 200; ++i) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    for (HWND tip = ::FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); tip;
         tip = ::FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) {
      if (::IsWindowVisible(tip)) return true;
    }
    ::Sleep(20);
  }
  return false;
}

TEST(NotifyIcon, ABalloonAskedForBeforeTheIconShows_ShowsOnceItDoes) {
  const OwnedWindow window(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                             nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  const HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);  // shared
  {
    NotifyIcon plain;
    ASSERT_TRUE(plain.Add(window.get(), WM_APP, icon, L"截图"));
    EXPECT_FALSE(BalloonShows()) << "a balloon without asking";
  }
  NotifyIcon late;
  // As at sign-in, before the notification area is ready.
  late.ShowBalloon(L"截图", L"Print Screen 已被占用");

  ASSERT_TRUE(late.Add(window.get(), WM_APP, icon, L"截图"));

  EXPECT_TRUE(BalloonShows());
}

}  // namespace
}  // namespace capture::win32
