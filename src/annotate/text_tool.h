// The text tool: the first release opens TextBox, the next draws its text into the picture.
#pragma once

namespace capture {

class CaptureForm;

// The release with the text tool, after the shape tools' common commit steps.
void TextRelease(CaptureForm& form, float x, float y);
// TextBox's text changed: widen it when the text has outgrown it.
void TextBoxChanged(CaptureForm& form);
// When a text box is open, draws its text into the picture as the next release would, so that
// typed text is never lost: before the selection is copied or saved, before another tool is
// chosen and before an undo. A box with no text is closed with no snapshot. Does nothing when no
// box is open.
void CommitOpenTextBox(CaptureForm& form);

}  // namespace capture
