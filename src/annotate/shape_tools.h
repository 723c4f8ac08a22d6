// Rectangle, ellipse and arrow: start strictly inside the selection, preview on screen, commit.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace capture {

class CaptureForm;
class Surface;

// The press while a tool is chosen.
void StartShape(CaptureForm& form, float x, float y);
// A pointer move while a shape is being dragged out.
void PreviewShape(CaptureForm& form, float x, float y);
// The release while a shape is being dragged out (hands over to the text tool for text).
void CommitShape(CaptureForm& form, float x, float y);
// The press ended with no release (the pointer was taken away, or a reaction failed half-way):
// the preview is taken back and nothing is stored, so the next press starts afresh. An open text
// box is not the press's to close and stays as it is.
void AbandonShape(CaptureForm& form) noexcept;
// Draws an arrow from the tail (x0, y0) to the tip (X1, Y1) with a head ArrowLen long.
void Arrow(Surface& Pic, float x0, float y0, float X1, float Y1, float ArrowLen, Colour color);

}  // namespace capture
