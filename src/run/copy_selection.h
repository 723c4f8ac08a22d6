// The ways the selection leaves the window: copied to the clipboard (a double-click inside it, the
// copy button) or copied and saved to a file (the save button). Each commits an open text box
// first, hides the chrome, lets the window repaint and copies the selection to the clipboard.
#pragma once

namespace capture {

struct RunState;  // run/capture_run.h

// A double-click at (x, y): inside the selection it copies the selection and ends the run.
void DoubleClickOnWindow(RunState& run, float x, float y);
// Copies the selection to the clipboard and closes the window. When the clipboard does not take
// the copy, says so and leaves the window as it was, so the selection can still be saved.
void CopyAndQuit(RunState& run);
// Copies the selection to the clipboard, asks for a file and saves the copy there, then closes the
// window, also when the dialog was cancelled or the save failed while the clipboard still holds
// the copy. The window stays as it was when the selection is neither in a file nor (any longer)
// on the clipboard.
void SaveAndQuit(RunState& run);

}  // namespace capture
