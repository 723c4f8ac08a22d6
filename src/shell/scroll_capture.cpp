#include "shell/scroll_capture.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>
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

enum class Settled { Yes, Unreadable, Stopped };

// A frame of the area as it settles.
class Settler {
 public:
  Settler(const RectI& area, ScrollWait wait)
      : area_(area), dib_(area.right - area.left, area.bottom - area.top), wait_(std::move(wait)) {
    if (!dib_.valid()) throw std::bad_alloc();
  }

  // Waits `first` ms, then grabs until two grabs in a row are the same, or for `at_least` and
  // then until they are, up to the limit. Pixels that changed alone meanwhile are marked in
  // unsteady().
  Settled Settle(DWORD first, ULONGLONG at_least) {
    if (first > 0 && !wait_(first)) return Settled::Stopped;
    unsteady_.assign(
        static_cast<std::size_t>(dib_.width()) * static_cast<std::size_t>(dib_.height()), 0);
    const ULONGLONG start = ::GetTickCount64();
    if (!GrabArea(area_, dib_, frame_)) return Settled::Unreadable;
    for (;;) {
      if (!wait_(kGrabIntervalMs)) return Settled::Stopped;
      if (!GrabArea(area_, dib_, next_)) return Settled::Unreadable;
      const bool same = MarkChanges();
      frame_.pixels.swap(next_.pixels);
      const ULONGLONG spent = ::GetTickCount64() - start;
      if ((same && spent >= at_least) || spent > kSettleLimitMs + at_least) return Settled::Yes;
    }
  }

  // Whether the area shows something else than the last settled frame; nothing when the screen
  // could not be read.
  std::optional<bool> Changed() {
    if (!GrabArea(area_, dib_, next_)) return std::nullopt;
    return next_.pixels != frame_.pixels;
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
  ScrollWait wait_;
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

ScrollJoin::Step StepOf(Settled settled) {
  return settled == Settled::Stopped ? ScrollJoin::Step::Stopped : ScrollJoin::Step::Unreadable;
}

}  // namespace

struct ScrollJoin::Parts {
  Parts(const RectI& area, int tallest, ScrollWait wait)
      : settler(area, std::move(wait)), max_height(tallest) {}
  Settler settler;
  int max_height;
  std::optional<join::FrameJoiner> joiner;
};

ScrollJoin::ScrollJoin(const RectI& area, int max_height, ScrollWait wait)
    : parts_(std::make_unique<Parts>(area, max_height, std::move(wait))) {}

ScrollJoin::~ScrollJoin() = default;

ScrollJoin::Step ScrollJoin::Start() {
  const Settled settled = parts_->settler.Settle(0, kWatchMs);
  if (settled != Settled::Yes) return StepOf(settled);
  parts_->joiner.emplace(PixelView::Of(parts_->settler.frame()), parts_->settler.unsteady(),
                         parts_->max_height);
  return Step::Moved;
}

ScrollJoin::Step ScrollJoin::Join() {
  switch (parts_->joiner->Add(PixelView::Of(parts_->settler.frame()), parts_->settler.unsteady())) {
    case join::Joined::Added:
      return Step::Moved;
    case join::Joined::Unmoved:
      return Step::Unmoved;
    case join::Joined::Full:
      return Step::Full;
    case join::Joined::Refused:
      return Step::Refused;
  }
  return Step::Refused;
}

ScrollJoin::Step ScrollJoin::Counted(Step step) {
  still_ = step == Step::Unmoved ? still_ + 1 : 0;
  return step;
}

ScrollJoin::Step ScrollJoin::Notch(POINT inside) {
  TurnWheelOneNotch();
  Settled settled = parts_->settler.Settle(kFirstGrabMs, 0);
  if (settled != Settled::Yes) return StepOf(settled);
  const Step wheel = Join();
  if (wheel != Step::Unmoved) return Counted(wheel);
  LineDown(inside);
  settled = parts_->settler.Settle(kFirstGrabMs, 0);
  if (settled != Settled::Yes) return StepOf(settled);
  return Counted(Join());
}

ScrollJoin::Step ScrollJoin::Follow() {
  const std::optional<bool> changed = parts_->settler.Changed();
  if (!changed) return Step::Unreadable;
  if (!*changed) return Step::Unmoved;
  const Settled settled = parts_->settler.Settle(0, 0);
  if (settled != Settled::Yes) return StepOf(settled);
  return Join();
}

int ScrollJoin::Height() const {
  return parts_->joiner ? parts_->joiner->Height() : 0;
}

const std::optional<join::Refusal>& ScrollJoin::refusal() const {
  static const std::optional<join::Refusal> kNone;
  return parts_->joiner ? parts_->joiner->refusal() : kNone;
}

Picture ScrollJoin::Take() const {
  return parts_->joiner ? parts_->joiner->Take() : Picture{};
}

std::optional<join::FrameJoiner> ScrollJoin::TakeJoiner() {
  std::optional<join::FrameJoiner> joiner = std::move(parts_->joiner);
  parts_->joiner.reset();
  return joiner;
}

ParkedPointer::ParkedPointer(POINT at) : at_(at) {
  saved_ = ::GetCursorPos(&was_) != FALSE;
  ::SetCursorPos(at.x, at.y);
}

ParkedPointer::~ParkedPointer() {
  POINT now{};
  if (saved_ && ::GetCursorPos(&now) && now.x == at_.x && now.y == at_.y) {
    ::SetCursorPos(was_.x, was_.y);
  }
}

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
  ScrollJoin join(area, max_height, [](DWORD milliseconds) {
    ::Sleep(milliseconds);
    return true;
  });
  if (join.Start() != ScrollJoin::Step::Moved) return {};
  ScrollJoin::Step step = ScrollJoin::Step::Moved;
  while (!join.AtEnd() && (step == ScrollJoin::Step::Moved || step == ScrollJoin::Step::Unmoved)) {
    step = join.Notch(inside);
  }
  ScrolledPicture scrolled;
  scrolled.refusal = join.refusal();
  scrolled.unreadable = step == ScrollJoin::Step::Unreadable;
  // Two notches moved nothing: the end, unless the window's scroll bar says there is more.
  scrolled.would_not_scroll = join.AtEnd() && MoreBelow(inside).value_or(false);
  scrolled.joined = join.TakeJoiner();
  return scrolled;
}

}  // namespace capture::win32
