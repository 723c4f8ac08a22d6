#include "shell/desktop_elements.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "shell/handles.h"
#include "shell/win32_screen.h"

namespace capture::win32 {
namespace {

constexpr wchar_t kClass[] = L"DesktopElementsTest";

// A plain window at (300, 200), 400 x 300, with a button at (40, 50) in it, 160 x 60.
struct WindowWithButton {
  WindowWithButton() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = kClass;
    ::RegisterClassExW(&wc);
    window.Reset(::CreateWindowExW(0, kClass, L"Elements", WS_POPUP | WS_VISIBLE, 300, 200, 400,
                                   300, nullptr, nullptr, wc.hInstance, nullptr));
    button = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 40, 50,
                               160, 60, window.get(), nullptr, wc.hInstance, nullptr);
    ::UpdateWindow(window.get());
  }
  OwnedWindow window;
  HWND button = nullptr;  // owned by the window
};

TEST(DesktopElements, ListsAnotherProgramsWindowAndItsControlWithTheirRectangles) {
  const WindowWithButton shown;
  ASSERT_NE(shown.button, nullptr);
  const RectI area = Win32Screen::Area();
  // This process's windows are the capture's own and are left out; here, as if another program's.
  const std::vector<DesktopElement> elements = DesktopElements({area.left, area.top}, 0);
  const RectI window{300 - area.left, 200 - area.top, 700 - area.left, 500 - area.top};
  const auto top = std::find(elements.begin(), elements.end(), DesktopElement{window, -1});
  ASSERT_NE(top, elements.end()) << elements.size() << " elements, none of them the window";
  const int index = static_cast<int>(top - elements.begin());
  const DesktopElement button{
      {window.left + 40, window.top + 50, window.left + 200, window.top + 110}, index};
  EXPECT_NE(std::find(elements.begin(), elements.end(), button), elements.end());

  const std::vector<DesktopElement> others =
      DesktopElements({area.left, area.top}, ::GetCurrentProcessId());
  EXPECT_EQ(std::find(others.begin(), others.end(), DesktopElement{window, -1}), others.end());
  EXPECT_EQ(Win32Screen().Elements(), others);
}

TEST(DesktopElements, LeaveOutHiddenMinimisedAndFullyTransparentWindows) {
  const RectI area = Win32Screen::Area();
  const WindowWithButton hidden, minimised, transparent;
  ::ShowWindow(hidden.window.get(), SW_HIDE);
  ::ShowWindow(minimised.window.get(), SW_MINIMIZE);
  ::SetWindowLongPtrW(transparent.window.get(), GWL_EXSTYLE, WS_EX_LAYERED);
  ::SetLayeredWindowAttributes(transparent.window.get(), 0, 0, LWA_ALPHA);
  const std::vector<DesktopElement> elements = DesktopElements({area.left, area.top}, 0);
  const RectI window{300 - area.left, 200 - area.top, 700 - area.left, 500 - area.top};
  const bool listed = std::any_of(elements.begin(), elements.end(), [&](const DesktopElement& e) {
    return e.parent == -1 && e.area == window;
  });
  EXPECT_FALSE(listed);
}

}  // namespace
}  // namespace capture::win32
