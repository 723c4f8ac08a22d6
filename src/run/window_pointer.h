// The window's own pointer reactions: by the run's mode, a press, move or release goes to the
// selection (selection/selection_drag.h) or to the chosen tool (annotate/shape_tools.h).
#pragma once

namespace capture {

struct Event;
struct RunState;

void PressOnWindow(RunState& state, const Event& event);
// Every move also reads the colour under the pointer.
void MoveOnWindow(RunState& state, const Event& event);
void ReleaseOnWindow(RunState& state, const Event& event);

}  // namespace capture
