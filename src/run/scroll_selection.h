// 长截图: the live window under the selection scrolled and joined into one tall picture, which
// then becomes the capture's picture, shown through a view that the wheel scrolls.
#pragma once

namespace capture {

struct RunState;  // run/capture_run.h

// Hands the selection to the platform's scroller. The joined picture becomes the capture's
// picture (ShowJoinedPicture). A cancelled session leaves the capture as it was. Nothing while
// a joined picture is shown already.
void ScrollSelection(RunState& run);
// The wheel turned by `notches` (away from the user positive: up) while a view is shown: the view
// scrolls, the chrome stays on the monitor beside the part that shows. False when no view is
// shown (the wheel does what it does on the screen's picture).
bool ScrollView(RunState& run, int notches);

}  // namespace capture
