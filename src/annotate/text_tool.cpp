#include "annotate/text_tool.h"

#include "capture/capture_form.h"

namespace capture {

// TODO(annotation): the text tool arrives with the annotation tools.
void TextRelease(CaptureForm&, float, float) {}
void TextEdit_Change(CaptureForm&) {}

}  // namespace capture
