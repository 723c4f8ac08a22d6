// Scrolling capture: the window under an area scrolled, its frames grabbed until they settle and
// joined into one tall picture. The command line runs it to the end without a window; 长截图
// drives it step by step with a panel (shell/scroll_session.h).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "join/frame_joiner.h"
#include "platform/types.h"

namespace capture::win32 {

struct ScrolledPicture {
  // The joined picture, read row by row; none when the screen could not be read.
  std::optional<join::FrameJoiner> joined;
  std::optional<join::Refusal> refusal;  // set when a seam could not be joined
  bool unreadable = false;  // the screen could not be read after a notch: the picture is so far
  // The content stopped moving while the window's scroll bar said there was more below: the window
  // takes neither the wheel nor WM_VSCROLL from us. The picture is so far.
  bool would_not_scroll = false;
};

// Passes the time between grabs, at least `milliseconds`; false when the scrolling is to stop
// (the user finished or cancelled): the step under way stops at once.
using ScrollWait = std::function<bool(DWORD milliseconds)>;

// The frames of an area joined one step at a time: each frame grabbed until two grabs in a row
// are the same (pixels that change alone meanwhile are left out of the comparisons), joined, and
// the picture's greatest height kept.
class ScrollJoin {
 public:
  enum class Step {
    Moved,       // a frame was joined
    Unmoved,     // the content did not move
    Full,        // the picture reached its greatest height
    Refused,     // a seam could not be joined: refusal() says where and why
    Unreadable,  // the screen could not be read
    Stopped,     // the wait said stop
  };

  // `area` in the system's screen coordinates; throws std::bad_alloc when its buffers cannot be
  // made.
  ScrollJoin(const RectI& area, int max_height, ScrollWait wait);
  ScrollJoin(const ScrollJoin&) = delete;
  ScrollJoin& operator=(const ScrollJoin&) = delete;
  ~ScrollJoin();

  // Watches the area a while before the first notch (a caret is seen blinking) and starts the
  // picture with it: Moved, Unreadable or Stopped. The other steps need it done.
  Step Start();
  // Turns the wheel one notch (SendInput, to the window under the pointer) and joins the settled
  // frame; when that moved nothing, WM_VSCROLL SB_LINEDOWN to the window under `inside` instead.
  Step Notch(POINT inside);
  // Follows the user's own scrolling: Unmoved when the area shows what it showed, else its frame
  // settled and joined.
  Step Follow();
  // The last two notches moved nothing: the content is at its end.
  bool AtEnd() const { return still_ >= 2; }
  // The picture's height so far.
  int Height() const;
  // Why the join ended early, once a seam was refused.
  const std::optional<join::Refusal>& refusal() const;
  // The picture so far; empty before Start.
  Picture Take() const;
  // The joiner itself, handed over so that its rows can be read without a whole copy; none
  // before Start. The steps need it: this is the last call.
  std::optional<join::FrameJoiner> TakeJoiner();

 private:
  struct Parts;
  Step Join();
  Step Counted(Step step);

  std::unique_ptr<Parts> parts_;
  int still_ = 0;  // notches in a row that moved nothing
};

// Puts the pointer at a point for as long as this lives, then back where it was, unless the user
// has moved it meanwhile.
class ParkedPointer {
 public:
  explicit ParkedPointer(POINT at);
  ParkedPointer(const ParkedPointer&) = delete;
  ParkedPointer& operator=(const ParkedPointer&) = delete;
  ~ParkedPointer();

 private:
  POINT at_{};
  POINT was_{};
  bool saved_ = false;
};

// Whether the window at `inside` (screen coordinates) can still scroll down, as its classic
// vertical scroll bar says: the nearest window there or above it with one; nothing when none says
// (no classic scroll bar, as in most browsers and in windows that draw their own). Wine 8 answers
// only for this process's windows: GetScrollInfo fails for another's.
std::optional<bool> MoreBelow(POINT inside);

// Parks the pointer inside `area` (the system's screen coordinates), turns the wheel one notch at
// a time (WM_VSCROLL SB_LINEDOWN to the window under it when a notch moves nothing), grabs the
// area until two grabs in a row are the same and joins each frame; ends when two notches move
// nothing (at the end, or short of it when the window would not scroll: would_not_scroll), at
// `max_height` rows or at a seam that cannot be joined. The pointer goes back.
ScrolledPicture ScrollAndJoin(const RectI& area, int max_height);

}  // namespace capture::win32
