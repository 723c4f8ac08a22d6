// The small reactions that end a run: a double-click inside the selection, and Escape.
#pragma once

namespace capture {

class CaptureForm;

// A double-click at (x, y): inside the selection it copies the selection and ends the run.
void Form_DblClick(CaptureForm& form, float x, float y);
void Form_KeyPress(CaptureForm& form, char16_t key);

}  // namespace capture
