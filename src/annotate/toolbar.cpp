#include "annotate/toolbar.h"

#include "capture/capture_form.h"

namespace capture {

// TODO(annotation): the toolbar's reactions arrive with the annotation tools.
void Image2_Click(CaptureForm&, int) {}
void Image2_MouseMove(CaptureForm&, int) {}
void Picture1_MouseMove(CaptureForm&) {}

}  // namespace capture
