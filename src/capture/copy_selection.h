// The steps shared by every way of copying the selection out: the double-click, copy-and-quit
// and save.
#pragma once

namespace capture {

class CaptureForm;

// Hides the toolbar strip and the style panel, pauses 10 ms and lets the window repaint, then
// hides the selection outline.
void HideChromeForCopy(CaptureForm& form);
// Copies the selection, its edges taken to whole pixels, to the clipboard.
void CopySelection(CaptureForm& form);

}  // namespace capture
