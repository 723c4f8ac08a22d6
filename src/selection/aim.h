// What aiming a selection before it exists keeps: the windows and controls taken at the freeze,
// the one suggested under the pointer, a press that may still be a click, and the selections of
// earlier captures that `,` and `.` bring back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace capture {

struct Aim {
  // The windows and controls as they were at the freeze; the system is never asked again.
  std::vector<DesktopElement> elements;
  // What lies under the pointer, innermost first and the monitor last, and which of them is
  // outlined (the wheel goes out and in). Empty while nothing is suggested.
  std::vector<RectI> under_pointer;
  std::size_t level = 0;
  // A left press while no selection exists, as long as the pointer stays within the drag distance
  // of it: its release is a click.
  std::optional<PointF> click;
  // The pointer where the last pointer event found it, for the keys that act on it.
  PointF pointer;
  // Where the pointer was as the window appeared (else where the first move found it), and whether
  // it has moved from there since. The system reports a move when the window appears under the
  // pointer: the suggestion and the magnifier wait for the user's own move, so the frozen screen
  // first shows as it was.
  std::optional<PointF> first_move;
  bool moved = false;
  // What the magnifier says in place of the colour for a moment after C ("已复制 #FF8000"): until
  // the window's timer runs out or the pointer moves.
  std::u16string notice;
  // Selections of earlier captures, oldest first, and the one `,` and `.` last brought back
  // (recent.size() before either was pressed).
  std::vector<RectI> recent;
  std::size_t recent_index = 0;
  void RecallFrom(std::vector<RectI> earlier) {
    recent = std::move(earlier);
    recent_index = recent.size();
  }
  // The selection a copy or a save took out, for the next capture's `,`.
  std::optional<RectI> taken;
};

}  // namespace capture
