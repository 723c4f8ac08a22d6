// Where the handles and the toolbar strip go around a selection.
#pragma once

namespace capture {

class CaptureForm;

// Lays the eight handles out around Selection and shows them.
void PlaceHandles(CaptureForm& form);
// Right-aligned under the selection, or inside its bottom edge when the monitor that holds the
// selection's bottom-right corner ends too soon; never off that monitor. Shows the strip.
void PlaceToolbar(CaptureForm& form);

}  // namespace capture
