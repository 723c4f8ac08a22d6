// The text tool: the first release opens TextBox, the next draws its text into the picture.
#pragma once

#include "annotate/annotate_state.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

// The release with the text tool, after the shape tools' common commit steps: opens the box (and
// gives it the keyboard) or draws its text.
void TextRelease(CaptureForm& form, ToolDrag& drag, Surface& surface, Window& window, float x,
                 float y);
// TextBox's text changed: widen it when the text has outgrown it.
void TextBoxChanged(CaptureForm& form, const Surface& surface);
// When a text box is open, draws its text into the picture as the next release would, so that
// typed text is never lost: before the selection is copied or saved, before another tool is
// chosen and before an undo. A box with no text is closed with no snapshot. Does nothing when no
// box is open.
void CommitOpenTextBox(CaptureForm& form, AnnotateState& annotate, Surface& surface);

}  // namespace capture
