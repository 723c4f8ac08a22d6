// The pen and the highlighter: a stroke that follows the pointer from the press to the release,
// with round ends and joins, inside the selection.
#pragma once

#include "annotate/annotation.h"
#include "form/controls.h"

namespace capture {

class CaptureForm;
class Surface;

bool IsFreehand(Tool tool);
// The press strictly inside the selection: the stroke starts with a dot under the pointer.
void StartFreehand(const CaptureForm& form, Annotation& annotation, Surface& surface, float x,
                   float y);
// A move: the preview gains the segment to the pointer, pulled onto the selection. Only that
// segment is drawn (the highlighter tints only the pixels it did not cover yet), so a move costs
// the same however long the stroke is. With Shift the preview shows the straight line from the
// press instead, and the path comes back when Shift is let go.
void ExtendFreehand(const CaptureForm& form, Annotation& annotation, Surface& surface, float x,
                    float y, bool shift);
// The release, with the surface drawing into the picture: the whole stroke is drawn at once (the
// highlighter's as one coverage, tinted once); with Shift the straight line from the press point
// to the release point.
void DrawFreehand(const CaptureForm& form, Annotation& annotation, Surface& surface, float x,
                  float y, bool shift);

// The highlighter's tint for a colour: the colour halfway to white.
Colour HighlighterTint(Colour colour);

}  // namespace capture
