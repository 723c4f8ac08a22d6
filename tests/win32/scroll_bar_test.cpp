// How `--scroll` tells the end of a window's content from a window that would not scroll: what
// its classic vertical scroll bar says, read from the window under a point or one above it.
#include <gtest/gtest.h>

#include "shell/handles.h"
#include "shell/scroll_capture.h"

namespace capture::win32 {
namespace {

constexpr wchar_t kClass[] = L"ScrollBarTest";

// A window at (200, 150), 300 x 200, with a child filling it, as a pane in a page: the point
// (350, 250) is on the child, and the scroll bar, if any, is the parent's.
struct Pane {
  explicit Pane(bool scroll_bar) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    ::RegisterClassExW(&wc);
    window.Reset(::CreateWindowExW(0, kClass, L"Pane",
                                   WS_POPUP | WS_VISIBLE | (scroll_bar ? WS_VSCROLL : 0), 200, 150,
                                   300, 200, nullptr, nullptr, wc.hInstance, nullptr));
    ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 260, 200, window.get(),
                      nullptr, wc.hInstance, nullptr);
    ::UpdateWindow(window.get());
  }
  void ScrollTo(int position) const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    info.nMin = 0;
    info.nMax = 999;  // 1000 rows, 200 shown
    info.nPage = 200;
    info.nPos = position;
    ::SetScrollInfo(window.get(), SB_VERT, &info, TRUE);
  }
  OwnedWindow window;
};

TEST(MoreBelow, IsWhatTheScrollBarSaysOrNothingWithoutOne) {
  const POINT inside{350, 250};
  {
    const Pane pane(true);
    for (const auto& [position, more] :
         {std::pair{0, true}, std::pair{799, true}, std::pair{800, false}}) {
      SCOPED_TRACE(position);
      pane.ScrollTo(position);
      EXPECT_EQ(MoreBelow(inside), std::optional<bool>(more));
    }
  }
  const Pane without(false);
  EXPECT_EQ(MoreBelow(inside), std::nullopt);
}

}  // namespace
}  // namespace capture::win32
