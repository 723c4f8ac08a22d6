// What the pointer does to the selection: draw it, move it, throw it away. The run calls these
// while no tool is chosen and no mark is under the press (run/window_pointer.cpp).
#pragma once

#include "selection/selection_state.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

// Before a selection exists, the moves outline what lies under the pointer (`aim`), and a click
// selects it. `shift`: Shift is held, which constrains what a tool draws.
void PressOnSelection(CaptureForm& form, SelectionDrag& drag, Aim& aim, Window& window, int button,
                      float x, float y);
void MoveOnSelection(CaptureForm& form, const SelectionDrag& drag, Aim& aim, Window& window,
                     int buttons, float x, float y);
void ReleaseOnSelection(CaptureForm& form, SelectionDrag& drag, Aim& aim, Window& window,
                        int button, float x, float y);
// Moves a finished selection by (dx, dy) as a move drag and its release would: kept on the screen,
// its labels, handles and toolbar strip following. Only once its toolbar shows; the run calls it
// when no tool is chosen, as a press would draw then.
void NudgeSelection(CaptureForm& form, SelectionDrag& drag, float dx, float dy);
// Back to drawing a new selection, as at the start: the selection, its chrome and the toolbar
// strip go. The picture stays as it is.
void ReturnToSelecting(CaptureForm& form, SelectionDrag& drag);
// Makes the rectangle the selection as if it had been dragged out: labels, handles and the toolbar
// strip placed and shown. The rectangle must lie on the virtual screen.
void SelectArea(CaptureForm& form, SelectionDrag& drag, Aim& aim, const RectI& area);

}  // namespace capture
