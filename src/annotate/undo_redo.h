// Stepping back and forth through the history.
#pragma once

#include "annotate/annotate_state.h"

namespace capture {

class CaptureForm;
class Surface;

// Shows the previous document. Past the first there is none: the tool is put down, the style
// panel goes, and the result is false (the caller returns to selecting).
bool Undo(CaptureForm& form, ToolChoice& choice, Surface& surface);
// Shows the next document, if there is one.
void Redo(CaptureForm& form, Surface& surface);

}  // namespace capture
