// The pen and the highlighter: a stroke that follows the pointer from the press to the release,
// with round ends and joins, inside the selection.
#pragma once

#include <vector>

#include "annotate/annotate_state.h"
#include "form/controls.h"
#include "form/mark.h"

namespace capture {

class CaptureForm;
class Surface;

bool IsFreehand(Tool tool);
// The press strictly inside the selection: the stroke starts with a dot under the pointer.
void StartFreehand(const CaptureForm& form, AnnotateState& annotate, Surface& surface, float x,
                   float y);
// A move: the preview gains the segment to the pointer, pulled onto the selection. Only that
// segment is drawn (the highlighter tints only the pixels it did not cover yet), so a move costs
// the same however long the stroke is. With Shift the preview shows the straight line from the
// press instead, and the path comes back when Shift is let go.
void ExtendFreehand(const CaptureForm& form, AnnotateState& annotate, Surface& surface, float x,
                    float y, bool shift);
// The release: the stroke as a mark, its path or, with Shift, the straight line from the press
// point to the release point.
Mark FreehandMark(const CaptureForm& form, const AnnotateState& annotate, float x, float y,
                  bool shift);
// The pixels a pen or highlighter mark covers, as spans that may overlap.
std::vector<Span> StrokeSpans(const Mark& mark);
// The pixels of the spans, each in exactly one span.
std::vector<Span> CoveredOnce(std::vector<Span> spans);

// The highlighter's tint for a colour: the colour halfway to white.
Colour HighlighterTint(Colour colour);

}  // namespace capture
