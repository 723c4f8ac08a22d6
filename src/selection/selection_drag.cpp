#include "selection/selection_drag.h"

#include "capture/capture_form.h"

namespace capture {

// TODO(selection): the selection drag arrives with region selection.
void Form_MouseDown(CaptureForm&, int, int, float, float) {}
void Form_MouseMove(CaptureForm&, int, int, float, float) {}
void Form_MouseUp(CaptureForm&, int, int, float, float) {}

}  // namespace capture
