// The window's own pointer reactions: drawing, moving and throwing away the selection. Each hands
// over to the drawing tools first when one is chosen.
#pragma once

#include "platform/types.h"

namespace capture {

class CaptureForm;

void PressOnWindow(CaptureForm& form, int button, float x, float y);
void MoveOnWindow(CaptureForm& form, int buttons, float x, float y);
void ReleaseOnWindow(CaptureForm& form, int button, float x, float y);
// Moves a finished selection by (dx, dy) as a move drag and its release would: kept on the screen,
// its labels, handles and toolbar strip following. Nothing while a tool is chosen, as a press
// would draw then.
void NudgeSelection(CaptureForm& form, float dx, float dy);
// Makes the rectangle the selection as if it had been dragged out: labels, handles and the toolbar
// strip placed and shown. The rectangle must lie on the virtual screen.
void SelectArea(CaptureForm& form, const RectI& area);

}  // namespace capture
