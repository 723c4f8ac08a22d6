// The eight handles' reactions: pointer shape, resizing the selection, placing the toolbar.
#pragma once

namespace capture {

class CaptureForm;

void Image1_MouseDown(CaptureForm& form, int index);
void Image1_MouseMove(CaptureForm& form, int index);
void Image1_MouseUp(CaptureForm& form, int index);

}  // namespace capture
