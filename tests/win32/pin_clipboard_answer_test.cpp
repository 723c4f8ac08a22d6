// How --pin-clipboard reads the resident instance's answer.
#include <gtest/gtest.h>

#include "shell/single_instance.h"

namespace capture::win32 {
namespace {

// Stands for the resident instance: answers the pin request with the number its window keeps,
// as its window procedure does; one that failed inside answers 0, what its catch returns.
LRESULT CALLBACK Answering(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kPinClipboardMessage) return ::GetWindowLongPtrW(hwnd, GWLP_USERDATA);
  return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

TEST(PinClipboardAnswer, OnlyAPinShownReadsAsPinnedAndAFailureInsideReadsAsFailed) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Answering;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kResidentClass;
  ASSERT_TRUE(::RegisterClassExW(&wc));
  const OwnedWindow resident(::CreateWindowExW(WS_EX_TOOLWINDOW, kResidentClass, L"", WS_POPUP, 0,
                                               0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr));
  ASSERT_TRUE(resident);
  const auto answering = [&resident](LONG_PTR answer) {
    ::SetWindowLongPtrW(resident.get(), GWLP_USERDATA, answer);
    return HandPinToResident();
  };
  EXPECT_EQ(answering(0), ClipboardPin::Failed);
  EXPECT_EQ(answering(static_cast<LONG_PTR>(ClipboardPin::Pinned)), ClipboardPin::Pinned);
  EXPECT_EQ(answering(static_cast<LONG_PTR>(ClipboardPin::NoPicture)), ClipboardPin::NoPicture);
  EXPECT_EQ(answering(77), std::nullopt);
}

}  // namespace
}  // namespace capture::win32
