// The double-click inside the selection, which copies it and ends the run.
#pragma once

namespace capture {

class CaptureForm;

// A double-click at (x, y): inside the selection it copies the selection and ends the run.
void Form_DblClick(CaptureForm& form, float x, float y);

}  // namespace capture
