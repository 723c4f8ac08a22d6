// The eight handles' reactions: pointer shape, resizing the selection, placing the toolbar.
#pragma once

#include "form/controls.h"

namespace capture {

class CaptureForm;

void PressOnHandle(CaptureForm& form);
// A move of the handle to the window point (x, y).
void MoveOnHandle(CaptureForm& form, Handle handle, float x, float y);
void ReleaseOnHandle(CaptureForm& form);

}  // namespace capture
