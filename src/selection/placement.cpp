#include "selection/placement.h"

#include "capture/capture_form.h"

namespace capture {

// TODO(selection): placement arrives with region selection.
void CaptureForm::ImageMove() {}
void PlaceToolbar(CaptureForm&) {}

}  // namespace capture
