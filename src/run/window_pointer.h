// The window's own pointer reactions: by the run's mode, a press, move or release goes to the
// marks (annotate/mark_gestures.h), to the chosen tool (annotate/shape_tools.h) or to the
// selection (selection/selection_drag.h).
//
// One press, drag and release: the shell's CaptureWindow::OnMouse unpacks WM_LBUTTONDOWN into a
// button and a point, takes the pointer capture and calls CaptureRun::MouseDown. The form's
// EventRouter hit-tests it (the window, when no control is under the point) and hands back an
// Event, which the run looks up in kReactions: the window's Down is PressOnWindow, which dispatches
// on ModeOf. Aiming, it goes to PressOnSelection, which anchors a new selection; each WM_MOUSEMOVE
// goes to the control that received the press, and MoveOnSelection stretches the Selection, writes
// its size into the SizeLabel and places the handles. On WM_LBUTTONUP the shell lets the capture
// go first, then the router delivers Up (the selection settles and the toolbar shows) and, when
// the release ends over the pressed control, Click. After every message the shell compares the
// controls with what it shows (ChangedAreas) and repaints only what changed.
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
