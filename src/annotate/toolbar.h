// The toolbar strip's tools: choosing one lays out and shows the style panel; hovering marks a
// button. (What each button does is the run's reaction table.)
#pragma once

#include "annotate/annotate_state.h"
#include "form/controls.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

// Chooses the tool of a tool button: an open text box is drawn first (unless the text tool is
// chosen again), and the style panel shows, laid out for the tool; the same tool twice in a row
// hides the panel and keeps the tool.
void ChooseTool(CaptureForm& form, AnnotateState& annotate, Surface& surface, ToolbarButton button);
// Lays the style panel out for the tool: only the text tool has a font size; the other tools get
// a narrower panel with their choices, if they have any, before the colours.
void LayOutPanel(CaptureForm& form, ToolChoice& choice, const ToolChoices& chosen, Tool tool);
// Places the style panel below the strip, or above it when the screen ends first.
void PlacePanel(CaptureForm& form);
void MoveOnButton(CaptureForm& form, ToolbarButton button);
void MoveOnToolbar(CaptureForm& form, Window& window);

}  // namespace capture
