// The save button's second half: ask for a file and write the selection's copy there.
#pragma once

#include "platform/platform.h"

namespace capture {

// Asks for a file name and saves the picture there; true only when the file was written. Then
// empties the clipboard, if it still holds the copy that was put there before the dialog opened.
[[nodiscard]] bool SaveAs(Platform& platform, const Picture& picture);
// The same dialog and file, leaving the clipboard alone: for a picture that was never put there.
[[nodiscard]] bool SaveToChosenFile(Platform& platform, const Picture& picture);

}  // namespace capture
