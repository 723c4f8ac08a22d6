#include "annotate/undo_redo.h"

#include "capture/capture_form.h"

namespace capture {

// TODO(annotation): undo and redo arrive with the annotation tools.
void Undo(CaptureForm&) {}
void Redo(CaptureForm&) {}

}  // namespace capture
