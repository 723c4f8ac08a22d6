// The window's own pointer reactions: drawing, moving and throwing away the selection. Each hands
// over to the drawing tools first when one is chosen.
#pragma once

#include "annotate/annotation.h"
#include "selection/selection_state.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

// Before a selection exists, the moves outline what lies under the pointer (`aim`), and a click
// selects it. `shift`: Shift is held, which constrains what a tool draws.
void PressOnWindow(CaptureForm& form, SelectionDrag& drag, Aim& aim, Annotation& annotation,
                   Surface& surface, Window& window, int button, float x, float y);
void MoveOnWindow(CaptureForm& form, const SelectionDrag& drag, Aim& aim, Annotation& annotation,
                  Surface& surface, Window& window, int buttons, float x, float y, bool shift);
void ReleaseOnWindow(CaptureForm& form, SelectionDrag& drag, Aim& aim, Annotation& annotation,
                     Surface& surface, Window& window, int button, float x, float y, bool shift);
// Moves a finished selection by (dx, dy) as a move drag and its release would: kept on the screen,
// its labels, handles and toolbar strip following. Nothing while a tool is chosen, as a press
// would draw then.
void NudgeSelection(CaptureForm& form, SelectionDrag& drag, const ToolChoice& choice, float dx,
                    float dy);
// Back to drawing a new selection, as at the start: the selection, its chrome and the toolbar
// strip go. The picture stays as it is.
void ReturnToSelecting(CaptureForm& form, SelectionDrag& drag);
// Makes the rectangle the selection as if it had been dragged out: labels, handles and the toolbar
// strip placed and shown. The rectangle must lie on the virtual screen.
void SelectArea(CaptureForm& form, SelectionDrag& drag, Aim& aim, const RectI& area);

}  // namespace capture
