// The small reactions that end a run: a double-click inside the selection, and Escape.
#pragma once

namespace capture {

class CaptureForm;

void Form_DblClick(CaptureForm& form);
void Form_KeyPress(CaptureForm& form, char16_t key);

}  // namespace capture
