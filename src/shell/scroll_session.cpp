#include "shell/scroll_session.h"

#include <shellscalingapi.h>

#include <optional>
#include <string>
#include <utility>

#include "shell/scroll_capture.h"
#include "shell/scroll_panel.h"
#include "shell/text.h"

namespace capture::win32 {
namespace {

constexpr DWORD kFollowIntervalMs = 50;  // between looks at an area the user scrolls
constexpr DWORD kLastWordMs = 900;       // how long the panel shows what became of the picture

// The capture window out of the way for as long as this lives: the live screen shows. It comes
// back as it was unless the run closed it meanwhile.
class HiddenCaptureWindow {
 public:
  explicit HiddenCaptureWindow(CaptureWindow& window) : window_(window) { window_.Hide(); }
  HiddenCaptureWindow(const HiddenCaptureWindow&) = delete;
  HiddenCaptureWindow& operator=(const HiddenCaptureWindow&) = delete;
  ~HiddenCaptureWindow() {
    if (!window_.Closing()) window_.Show();
  }

 private:
  CaptureWindow& window_;
};

// Runs the thread's messages for at least `milliseconds`: the panel's clicks and hotkeys, the
// repaints. Pointer and key input for the hidden capture window is dropped. False once the
// panel has a choice, or the program is quitting.
bool Pump(DWORD milliseconds, const ScrollPanel& panel, HWND capture, bool until_chosen = true) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  for (;;) {
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      const bool for_capture = capture && (msg.hwnd == capture || ::IsChild(capture, msg.hwnd));
      const bool input = (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                         (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST);
      if (for_capture && input) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (until_chosen && panel.choice() != ScrollPanel::Choice::None) return false;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end) return true;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

int DpiAt(const RectI& area) {
  const RECT rect{area.left, area.top, area.right, area.bottom};
  UINT x = 0, y = 0;
  if (SUCCEEDED(::GetDpiForMonitor(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST),
                                   MDT_EFFECTIVE_DPI, &x, &y)) &&
      x > 0) {
    return static_cast<int>(x);
  }
  return static_cast<int>(::GetDpiForSystem());
}

std::wstring HeightText(int height, bool by_user) {
  return std::wstring(by_user ? L"请滚动窗口，" : L"") + L"高度 " + std::to_wstring(height) +
         L" 像素";
}

// The window under the point, made the foreground window: the wheel and the keys go to it as they
// would had the user clicked it.
void Activate(POINT inside) {
  if (const HWND under = ::WindowFromPoint(inside)) {  // not owned
    ::SetForegroundWindow(::GetAncestor(under, GA_ROOT));
  }
}

// How a session ended before its delivery.
enum class End { Finished, Cancelled, Unstarted };

// Scrolls and joins until the content ends, the user chooses, or a step cannot go on (then the
// panel says why and waits for the user's choice).
End ScrollUntilDone(ScrollJoin& join, ScrollPanel& panel, HWND capture, POINT inside) {
  using Step = ScrollJoin::Step;
  const auto waiting = [&](const std::wstring& why) {
    panel.Say(why);
    while (Pump(1000, panel, capture)) {
    }
  };
  // Only 完成 keeps the picture: a stop for any other reason (the program quitting) is a cancel.
  const auto chosen = [&panel] {
    return panel.choice() == ScrollPanel::Choice::Finish ? End::Finished : End::Cancelled;
  };
  panel.Say(L"请稍候");
  Step step = join.Start();
  if (step == Step::Unreadable) return End::Unstarted;
  if (step == Step::Stopped) return End::Cancelled;
  bool moved = false, by_user = false;
  for (;;) {
    panel.Say(HeightText(join.Height(), by_user));
    if (panel.choice() != ScrollPanel::Choice::None) return chosen();
    step = by_user ? join.Follow() : join.Notch(inside);
    switch (step) {
      case Step::Moved:
        moved = true;
        break;
      case Step::Unmoved:
        if (by_user && !Pump(kFollowIntervalMs, panel, capture)) return chosen();
        break;
      case Step::Full:
        return End::Finished;
      case Step::Refused:
        waiting(Wide(join::RefusalText(*join.refusal())));
        return chosen();
      case Step::Unreadable:
        waiting(L"无法读取屏幕，" + HeightText(join.Height(), false));
        return chosen();
      case Step::Stopped:
        return chosen();
    }
    if (!by_user && join.AtEnd()) {
      if (moved) return End::Finished;
      // Neither the wheel nor WM_VSCROLL moved anything: the user scrolls, and each settled
      // frame is joined the same way.
      by_user = true;
    }
  }
}

}  // namespace

bool ScrollSession::Scroll(const RectI& window_area,
                           const std::function<std::u16string(Picture)>& deliver) {
  const RectI area{window_area.left + origin_.x, window_area.top + origin_.y,
                   window_area.right + origin_.x, window_area.bottom + origin_.y};
  const POINT inside{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  const HiddenCaptureWindow hidden(window_);
  const HWND capture = window_.hwnd();  // not owned
  ScrollPanel panel;
  if (!panel.Create(instance_, area, DpiAt(area))) return false;
  Activate(inside);
  std::optional<Picture> picture;
  {
    const ParkedPointer parked(inside);
    ScrollJoin join(
        area, settings_.settings().scroll_max_height,
        [&panel, capture](DWORD milliseconds) { return Pump(milliseconds, panel, capture); });
    if (ScrollUntilDone(join, panel, capture, inside) != End::Finished || join.Height() == 0) {
      return false;
    }
    picture = join.Take();
  }
  const std::u16string said = deliver(std::move(*picture));
  if (said.empty()) return true;
  panel.Say(Wide(said));
  Pump(kLastWordMs, panel, capture, false);
  return true;
}

}  // namespace capture::win32
