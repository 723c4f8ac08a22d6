// The window's own pointer reactions: drawing, moving and throwing away the selection. Each hands
// over to the drawing tools first when one is chosen.
#pragma once

namespace capture {

class CaptureForm;

void PressOnWindow(CaptureForm& form, int button, float x, float y);
// `shift`: Shift is held, which constrains what a tool draws.
void MoveOnWindow(CaptureForm& form, int buttons, float x, float y, bool shift);
void ReleaseOnWindow(CaptureForm& form, int button, float x, float y, bool shift);
// Moves a finished selection by (dx, dy) as a move drag and its release would: kept on the screen,
// its labels, handles and toolbar strip following. Nothing while a tool is chosen, as a press
// would draw then.
void NudgeSelection(CaptureForm& form, float dx, float dy);

}  // namespace capture
