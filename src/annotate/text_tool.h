// The text tool: the first release opens TextBox, the next draws its text into the picture.
#pragma once

#include <cstddef>

#include "annotate/annotate_state.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

// The release with the text tool, after the shape tools' common commit steps: opens the box (and
// gives it the keyboard) or draws its text.
void TextRelease(CaptureForm& form, AnnotateState& annotate, Surface& surface, Window& window,
                 float x, float y);
// Opens the box on the text mark at `place` of the shown document, with its text, colour and
// size, the text tool chosen: the mark is hidden while the box holds its text, and the box's
// commit replaces it (or removes it when emptied) as one step.
void RetypeText(CaptureForm& form, AnnotateState& annotate, Surface& surface, Window& window,
                std::size_t place);
// The font size new text takes: the font-size field's, or the last usable one.
float ChosenFontPoints(const CaptureForm& form);
// TextBox's text changed: widen it when the text has outgrown it.
void TextBoxChanged(CaptureForm& form, const Surface& surface);
// When a text box is open, draws its text into the picture as the next release would, so that
// typed text is never lost: before the selection is copied or saved, before another tool is
// chosen, before an undo and on Enter. A new box with no text is closed with no step; a text
// mark emptied is removed. Does nothing when no box is open.
void CommitOpenTextBox(CaptureForm& form, AnnotateState& annotate, Surface& surface);

}  // namespace capture
