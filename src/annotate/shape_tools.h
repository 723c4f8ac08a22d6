// Rectangle, ellipse and arrow: start strictly inside the selection, preview on screen, commit.
#pragma once

#include <string_view>

#include "annotate/annotate_state.h"
#include "platform/types.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

// The press while a tool is chosen.
void StartShape(const CaptureForm& form, AnnotateState& annotate, Surface& surface, float x,
                float y);
// A pointer move while a shape is being dragged out; `shift`: Shift is held (see CommitShape).
void PreviewShape(const CaptureForm& form, AnnotateState& annotate, Surface& surface, float x,
                  float y, bool shift = false);
// The release while a shape is being dragged out (hands over to the text tool for text, which
// focuses its box in the window). With Shift held a rectangle is a square, an ellipse a circle,
// an arrow turns to a multiple of 45 degrees, and a pen or highlighter stroke is the straight
// line from the press.
void CommitShape(CaptureForm& form, AnnotateState& annotate, Surface& surface, Window& window,
                 float x, float y, bool shift = false);
// The press ended with no release (the pointer was taken away, or a reaction failed half-way):
// the preview is taken back and nothing is stored, so the next press starts afresh. An open text
// box is not the press's to close and stays as it is.
void AbandonShape(const CaptureForm& form, AnnotateState& annotate, Surface& surface) noexcept;
// The pointer pulled back onto the selection, so that no shape reaches outside it, and onto the
// picture.
PointF ClampToSelection(const CaptureForm& form, float x, float y);
// Draws an arrow from the tail to the tip with a head `head` pixels long.
void Arrow(Surface& surface, float tail_x, float tail_y, float tip_x, float tip_y, float head,
           Colour colour);

}  // namespace capture
