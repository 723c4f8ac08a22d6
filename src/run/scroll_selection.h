// 长截图: the live window under the selection scrolled and joined into one tall picture. For now
// the joined picture leaves the way a copy does: on the clipboard, and the capture ends.
#pragma once

namespace capture {

struct RunState;  // run/capture_run.h

// Hands the selection to the platform's scroller. A joined picture goes to the clipboard ("已复制"
// shows for a moment) and the capture ends; when the clipboard does not take it, says so and
// offers the save dialog for it, and the capture ends once it is in a file. A cancelled session,
// or a picture neither copied nor saved, leaves the capture as it was.
void ScrollAndQuit(RunState& run);

}  // namespace capture
