// A change of the desktop under the window: a monitor's DPI (WM_DPICHANGED) or the monitors.
#pragma once

namespace capture {

class CaptureForm;

// Reads the monitors again; the chrome takes the scale of its monitor and what is shown of it is
// laid out anew. The selection itself stays where it is.
void FollowDisplayChange(CaptureForm& form);

}  // namespace capture
