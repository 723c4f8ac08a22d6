// The window's own pointer reactions: by the run's mode, a press, move or release goes to the
// marks (annotate/mark_gestures.h), to the chosen tool (annotate/shape_tools.h) or to the
// selection (selection/selection_drag.h).
#pragma once

namespace capture {

struct Event;
struct RunState;

void PressOnWindow(RunState& state, const Event& event);
// Every move also reads the colour under the pointer.
void MoveOnWindow(RunState& state, const Event& event);
void ReleaseOnWindow(RunState& state, const Event& event);
// Inside the selection: on a text mark it opens the text box on it, on another mark it does
// nothing, elsewhere it copies and quits.
void DoubleClickOnWindow(RunState& state, const Event& event);

}  // namespace capture
