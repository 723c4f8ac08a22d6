#include "capture/capture_form.h"

namespace capture {

// TODO(output): the save dialog arrives with file output.
void CaptureForm::CutdSave() {}

}  // namespace capture
