// The ways the selection leaves the window: copied to the clipboard (a double-click inside it, the
// copy button), copied and saved to a file (the save button) or pinned to the desktop (the pin
// button). Each commits an open text box first, hides the chrome, lets the window repaint and
// takes the selection from the window's picture.
//
// One double-click copy: with CS_DBLCLKS, Windows sends press, release, WM_LBUTTONDBLCLK, release;
// the router delivers the double-click in place of the second press and makes no click of the
// release after it. DoubleClickOnWindow tests the double-click's own point against the selection
// (a text mark there is typed again instead) and calls CopyAndQuit: the toolbar and the style
// panel are hidden and repainted (the shell's PumpEvents lets painting through and drops the input
// queued meanwhile), CopyToClipboard hides the outline, labels and handles and copies the
// selection's rectangle of the window's picture, and the window closes. A clipboard that refuses
// the copy is reported and the chrome comes back.
#pragma once

namespace capture {

struct RunState;  // run/capture_run.h

// Copies the selection to the clipboard and closes the window. When the clipboard does not take
// the copy, says so and leaves the window as it was, so the selection can still be saved.
void CopyAndQuit(RunState& run);
// Copies the selection to the clipboard, asks for a file and saves the copy there, then closes the
// window, also when the dialog was cancelled or the save failed while the clipboard still holds
// the copy. The window stays as it was when the selection is neither in a file nor (any longer)
// on the clipboard.
void SaveAndQuit(RunState& run);
// Copies the selection (to the clipboard too when the settings say so), writes it into the
// quick-save folder under the pattern without a dialog and closes the window. When the file
// could not be written, says why and leaves the window as it was.
void QuickSaveAndQuit(RunState& run);
// Turns the selection into a pin at its place on the screen and closes the window; nothing is
// copied or saved. When the pin cannot be made, says so and leaves the window as it was.
void PinAndQuit(RunState& run);

}  // namespace capture
