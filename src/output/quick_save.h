// Saving without a dialog: into the quick-save folder, under a name made from the time.
#pragma once

#include "platform/picture_rows.h"
#include "platform/platform.h"

namespace capture {

// Writes the picture into the quick-save folder (made if it is missing) under the pattern, made
// unique there, in the default format; true when the file was written. A failure is shown in the
// "错误" box.
[[nodiscard]] bool QuickSaveTo(Platform& platform, const Picture& picture);
// The same for a picture given row by row (a tall one: see WriteImageFile).
[[nodiscard]] bool QuickSaveTo(Platform& platform, const PictureRows& rows);

}  // namespace capture
