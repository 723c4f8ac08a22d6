// Stepping back and forth through the history.
#pragma once

namespace capture {

class CaptureForm;

// Shows the previous snapshot; past the first, returns to selecting.
void Undo(CaptureForm& form);
// Shows the next snapshot, if there is one.
void Redo(CaptureForm& form);

}  // namespace capture
