// Where the handles and the toolbar strip go around a selection.
#pragma once

namespace capture {

class CaptureForm;

// Lays the eight handles out around Shape1 and shows them.
void ImageMove(CaptureForm& form);
// Right-aligned under the selection, or inside its bottom edge when the screen ends too soon;
// never left of 0. Shows the strip.
void PlaceToolbar(CaptureForm& form);

}  // namespace capture
