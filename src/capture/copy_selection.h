// The steps shared by every way of copying the selection out: the double-click, copy-and-quit
// and save.
#pragma once

#include <optional>

#include "capture/capture_form.h"

namespace capture {

// Hides the toolbar strip and the style panel, pauses 10 ms and lets the window repaint, then
// hides the selection outline.
void HideChromeForCopy(CaptureForm& form);
// Copies the selection, its edges taken to whole pixels, to the clipboard and returns the copy;
// nothing when Escape closed the window while it repainted.
std::optional<ScreenCopy> CopySelection(CaptureForm& form);

}  // namespace capture
