// Where the toolbar strip goes once a selection is finished or resized. (The handles' layout is
// CaptureForm::ImageMove, defined beside it.)
#pragma once

namespace capture {

class CaptureForm;

// Right-aligned under the selection, or inside its bottom edge when the screen ends too soon;
// never left of 0. Shows the strip.
void PlaceToolbar(CaptureForm& form);

}  // namespace capture
