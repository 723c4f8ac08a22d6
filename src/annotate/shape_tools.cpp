#include "annotate/shape_tools.h"

#include "capture/capture_form.h"

namespace capture {

// TODO(annotation): the shape tools arrive with the annotation tools.
void StartShape(CaptureForm&, float, float) {}
void PreviewShape(CaptureForm&, float, float) {}
void CommitShape(CaptureForm&, float, float) {}
void Arrow(Surface&, float, float, float, float, float, Colour) {}

}  // namespace capture
