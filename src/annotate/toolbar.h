// The toolbar strip's reactions: choosing a tool and laying out the style panel, undo and redo,
// and the three ways to leave (copy, save, quit).
#pragma once

namespace capture {

class CaptureForm;

void Image2_Click(CaptureForm& form, int index);
void Image2_MouseMove(CaptureForm& form, int index);
void Picture1_MouseMove(CaptureForm& form);

}  // namespace capture
