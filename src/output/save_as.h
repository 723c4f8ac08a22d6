// The save button's second half: ask for a file and write the selection's copy there.
#pragma once

#include "platform/platform.h"

namespace capture {

// Asks for a file name (the dialog opens where the last save went, with its format chosen) and
// saves the picture there; true only when the file was written. Then remembers that folder and
// format and empties the clipboard, if it still holds the copy that was put there before the
// dialog opened.
[[nodiscard]] bool SaveAs(Platform& platform, const Picture& picture);
// The same dialog and file, leaving the clipboard alone: for a picture that was never put there.
[[nodiscard]] bool SaveToChosenFile(Platform& platform, const Picture& picture);

}  // namespace capture
