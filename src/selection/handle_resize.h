// The eight handles' reactions: pointer shape, resizing the selection, placing the toolbar.
#pragma once

namespace capture {

class CaptureForm;

void Image1_MouseDown(CaptureForm& form);
// A move of handle `index` to the window point (x, y).
void Image1_MouseMove(CaptureForm& form, int index, float x, float y);
void Image1_MouseUp(CaptureForm& form);

}  // namespace capture
