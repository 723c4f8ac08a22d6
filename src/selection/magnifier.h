// The magnifier beside the pointer while aiming: the pixels around the pointer at eight times
// their size, the pointer's position and the centre pixel's colour.
#pragma once

#include "annotate/annotate_state.h"
#include "platform/types.h"
#include "selection/selection_state.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

// Pixels around the pointer the magnifier shows: 15 across, 11 down, the pointer's in the middle.
inline constexpr int kZoomColumns = 15;
inline constexpr int kZoomRows = 11;

// Where the magnifier's top-left goes for a pointer at `pointer`: below and right of it, on the
// other side of it on an axis where that would leave the monitor, and never off the monitor.
// `size` and `gap` in screen pixels.
PointF MagnifierPlace(PointF pointer, PointF size, float gap, const RectI& monitor);

// No selection yet, or one being drawn, and no tool chosen: where the magnifier helps to aim and
// the arrow keys move the pointer.
bool Aiming(const SelectionDrag& drag, const ToolChoice& choice);
// Moves the pointer by the step (the system then reports the move).
void NudgePointer(const Aim& aim, Window& window, PointF step);

// Shows the magnifier at the pointer while no selection exists, while one is drawn and while a
// handle is dragged (no tool chosen); hides it otherwise.
void FollowWithMagnifier(CaptureForm& form, const SelectionState& selection,
                         const ToolChoice& choice, const Surface& surface);

}  // namespace capture
