// The window's own pointer reactions: drawing, moving and throwing away the selection. Each hands
// over to the drawing tools first when one is chosen.
#pragma once

namespace capture {

class CaptureForm;

void Form_MouseDown(CaptureForm& form, int button, float x, float y);
void Form_MouseMove(CaptureForm& form, int buttons, float x, float y);
void Form_MouseUp(CaptureForm& form, int button, float x, float y);

}  // namespace capture
