// The style panel's choices for the tools that have sizes or kinds (pen, highlighter, mosaic,
// numbered steps): which the panel shows for a tool, what a click on one chooses, and the sizes
// they stand for.
#pragma once

#include "annotate/annotate_state.h"
#include "form/controls.h"
#include "form/mark.h"

namespace capture {

class CaptureForm;

// Shows the tool's choices at the left of the style panel with the chosen ones marked, or hides
// the choices for a tool that has none; returns the design width they take (0 when hidden).
float LayOutChoices(CaptureForm& form, const ToolChoices& choices, Tool tool);
// A click on the panel's choice `index` for the tool it shows choices for: its value becomes the
// chosen one of its setting.
void ClickOnChoice(CaptureForm& form, AnnotateState& annotate, int index);

// The chosen sizes in picture pixels: design sizes at the DPI of the selection's monitor (the
// chrome's), as the text tool's font size.
float PenWidth(const CaptureForm& form, const ToolChoices& choices);
float HighlighterWidth(const CaptureForm& form, const ToolChoices& choices);
float MosaicCell(const CaptureForm& form, const ToolChoices& choices);
float StepDiameter(const CaptureForm& form, const ToolChoices& choices);
// The mosaic blurs rather than pixelates.
bool MosaicBlurs(const ToolChoices& choices);
// The mosaic the choices make.
MosaicStyle ChosenMosaic(const CaptureForm& form, const ToolChoices& choices);
// The size a new mark of the kind takes from the choices (pen, highlighter, step); 0 for others.
float ChosenSize(const CaptureForm& form, const ToolChoices& choices, MarkKind kind);
// Chooses the values that draw the mark as it is (its size, its mosaic), where one does.
void ChooseAsMark(const CaptureForm& form, ToolChoices& choices, const Mark& mark);
// The tool that draws marks of the kind.
Tool ToolOf(MarkKind kind);

}  // namespace capture
