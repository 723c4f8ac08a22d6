// What the selection's reactions keep between events: the drag of the selection itself and the
// drag of one of its handles.
#pragma once

#include <optional>

#include "form/controls.h"
#include "platform/types.h"

namespace capture {

// What a press on the window does: draw a new selection, or move (or throw away) the one there is.
enum class SelectionMode { Draw, Move };

// The selection drag.
struct SelectionDrag {
  SelectionMode mode = SelectionMode::Draw;
  // The anchor of a new selection; the selection's top-left when a move starts.
  PointF anchor;
  // The pointer's position at the press that starts a move.
  PointF grab;
  // A right press threw the selection away: its release does not quit.
  bool thrown_away = false;
};

// A handle drag: the handle pressed and the selection's edges at that press. It exists only from
// the press on a handle to its release.
struct HandleDrag {
  Handle handle = Handle::TopLeft;
  float left = 0, top = 0, right = 0, bottom = 0;
};

// Everything the selection's reactions keep.
struct SelectionState {
  SelectionDrag drag;
  std::optional<HandleDrag> resize;
};

}  // namespace capture
