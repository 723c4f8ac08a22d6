#include "shell/scroll_capture.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

#include "shell/dib.h"
#include "shell/handles.h"

namespace capture::win32 {
namespace {

constexpr DWORD kGrabIntervalMs = 30;  // between the grabs of a frame settling
constexpr DWORD kFirstGrabMs = 50;     // after a notch, time for the window to take it
constexpr ULONGLONG kSettleLimitMs = 2000;
// The area is watched this long before the first notch: longer than a caret's blink (530 ms by
// default), so that a caret is seen blinking and left out of the comparisons.
constexpr ULONGLONG kWatchMs = 600;
// Grabs that differ in at most one pixel in this many differ by something blinking; more is the
// content moving, which says nothing about single pixels.
constexpr std::size_t kBlinkShare = 256;

// Reads the area of the screen into `into` (of the area's size); false when the copy failed.
bool GrabArea(const RectI& area, const Dib& into, Picture& frame) {
  const WindowDc display(nullptr);
  if (!display || !::BitBlt(into.dc(), 0, 0, into.width(), into.height(), display.get(), area.left,
                            area.top, SRCCOPY)) {
    return false;
  }
  ::GdiFlush();
  frame.Resize(into.width(), into.height());
  const std::uint32_t* from = into.pixels();
  for (std::uint32_t& pixel : frame.pixels) pixel = *from++ & 0x00FFFFFFu;
  return true;
}

// A frame of the area as it settles.
class Settler {
 public:
  explicit Settler(const RectI& area)
      : area_(area), dib_(area.right - area.left, area.bottom - area.top) {
    if (!dib_.valid()) throw std::bad_alloc();
  }

  // Grabs until two grabs in a row are the same, or for `at_least` and then until they are, up
  // to the limit; false when the screen could not be read. Pixels that changed alone meanwhile
  // are marked in unsteady().
  bool Settle(ULONGLONG at_least) {
    unsteady_.assign(
        static_cast<std::size_t>(dib_.width()) * static_cast<std::size_t>(dib_.height()), 0);
    const ULONGLONG start = ::GetTickCount64();
    if (!GrabArea(area_, dib_, frame_)) return false;
    for (;;) {
      ::Sleep(kGrabIntervalMs);
      if (!GrabArea(area_, dib_, next_)) return false;
      const bool same = MarkChanges();
      frame_.pixels.swap(next_.pixels);
      const ULONGLONG spent = ::GetTickCount64() - start;
      if ((same && spent >= at_least) || spent > kSettleLimitMs + at_least) return true;
    }
  }

  const Picture& frame() const { return frame_; }
  join::Unsteady unsteady() const { return unsteady_; }

 private:
  // Whether the new grab equals the last; marks its pixels that differ when only a few do.
  bool MarkChanges() {
    std::vector<std::size_t> changed;
    const std::size_t limit = frame_.pixels.size() / kBlinkShare;
    for (std::size_t i = 0; i < frame_.pixels.size() && changed.size() <= limit; ++i) {
      if (frame_.pixels[i] != next_.pixels[i]) changed.push_back(i);
    }
    if (changed.size() <= limit) {
      for (const std::size_t i : changed) unsteady_[i] = 1;
    }
    return changed.empty();
  }

  RectI area_;
  Dib dib_;
  Picture frame_, next_;
  std::vector<std::uint8_t> unsteady_;
};

void TurnWheelOneNotch() {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
  ::SendInput(1, &input, sizeof input);
}

void LineDown(POINT inside) {
  const HWND window = ::WindowFromPoint(inside);  // not owned
  if (window == nullptr) return;
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window, WM_VSCROLL, SB_LINEDOWN, 0, SMTO_ABORTIFHUNG, 1000, &result);
}

// Puts the pointer back where it was when it leaves scope.
class ParkedPointer {
 public:
  explicit ParkedPointer(POINT at) {
    saved_ = ::GetCursorPos(&was_) != FALSE;
    ::SetCursorPos(at.x, at.y);
  }
  ParkedPointer(const ParkedPointer&) = delete;
  ParkedPointer& operator=(const ParkedPointer&) = delete;
  ~ParkedPointer() {
    if (saved_) ::SetCursorPos(was_.x, was_.y);
  }

 private:
  POINT was_{};
  bool saved_ = false;
};

// Joins the frames of one notch: the wheel, and WM_VSCROLL when the wheel moved nothing. Nothing
// when the screen could not be read.
std::optional<join::Joined> NextNotch(Settler& settler, join::FrameJoiner& joiner, POINT inside) {
  TurnWheelOneNotch();
  ::Sleep(kFirstGrabMs);
  if (!settler.Settle(0)) return std::nullopt;
  const join::Joined joined = joiner.Add(PixelView::Of(settler.frame()), settler.unsteady());
  if (joined != join::Joined::Unmoved) return joined;
  LineDown(inside);
  ::Sleep(kFirstGrabMs);
  if (!settler.Settle(0)) return std::nullopt;
  return joiner.Add(PixelView::Of(settler.frame()), settler.unsteady());
}

}  // namespace

std::optional<bool> MoreBelow(POINT inside) {
  const HWND desktop = ::GetDesktopWindow();  // not owned, nor any window below
  for (HWND window = ::WindowFromPoint(inside); window != nullptr && window != desktop;
       window = ::GetAncestor(window, GA_PARENT)) {
    if ((::GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL) == 0) continue;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!::GetScrollInfo(window, SB_VERT, &info)) continue;
    const int page = std::max(1, static_cast<int>(info.nPage));
    return info.nPos + page - 1 < info.nMax;
  }
  return std::nullopt;
}

ScrolledPicture ScrollAndJoin(const RectI& area, int max_height) {
  const POINT inside{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  const ParkedPointer parked(inside);
  Settler settler(area);
  if (!settler.Settle(kWatchMs)) return {};
  ScrolledPicture scrolled;
  join::FrameJoiner& joiner =
      scrolled.joined.emplace(PixelView::Of(settler.frame()), settler.unsteady(), max_height);
  int still = 0;
  while (still < 2) {
    const std::optional<join::Joined> joined = NextNotch(settler, joiner, inside);
    scrolled.unreadable = !joined;
    if (!joined || joined == join::Joined::Full || joined == join::Joined::Refused) break;
    still = joined == join::Joined::Unmoved ? still + 1 : 0;
  }
  // Two notches moved nothing: the end, unless the window's scroll bar says there is more.
  scrolled.would_not_scroll = still == 2 && MoreBelow(inside).value_or(false);
  scrolled.refusal = joiner.refusal();
  return scrolled;
}

}  // namespace capture::win32
