#include "selection/handle_resize.h"

#include "capture/capture_form.h"

namespace capture {

// TODO(selection): handle resizing arrives with region selection.
void Image1_MouseDown(CaptureForm&, int) {}
void Image1_MouseMove(CaptureForm&, int) {}
void Image1_MouseUp(CaptureForm&, int) {}

}  // namespace capture
