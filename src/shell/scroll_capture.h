// A scrolling capture without a window: the window under an area scrolled to its end, its frames
// joined into one tall picture.
#pragma once

#include <windows.h>

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
