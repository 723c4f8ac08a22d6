// The window's own pointer reactions: drawing, moving and throwing away the selection. Each hands
// over to the drawing tools first when one is chosen.
#pragma once

#include "annotate/annotation.h"
#include "selection/selection_state.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

void PressOnWindow(CaptureForm& form, SelectionDrag& drag, Annotation& annotation, Surface& surface,
                   Window& window, int button, float x, float y);
// `shift`: Shift is held, which constrains what a tool draws.
void MoveOnWindow(CaptureForm& form, const SelectionDrag& drag, Annotation& annotation,
                  Surface& surface, Window& window, int buttons, float x, float y, bool shift);
void ReleaseOnWindow(CaptureForm& form, SelectionDrag& drag, Annotation& annotation,
                     Surface& surface, Window& window, int button, float x, float y, bool shift);
// Moves a finished selection by (dx, dy) as a move drag and its release would: kept on the screen,
// its labels, handles and toolbar strip following. Nothing while a tool is chosen, as a press
// would draw then.
void NudgeSelection(CaptureForm& form, SelectionDrag& drag, const ToolChoice& choice, float dx,
                    float dy);
// Back to drawing a new selection, as at the start: the selection, its chrome and the toolbar
// strip go. The picture stays as it is.
void ReturnToSelecting(CaptureForm& form, SelectionDrag& drag);

}  // namespace capture
