// Which parts of the window must be repainted after a reaction changed the controls.
#pragma once

#include <vector>

#include "form/controls.h"

namespace capture {

// The window areas whose look differs between two states of the controls: for every control
// that moved, changed its look or was shown or hidden, where it was and where it is now. An
// unfilled shape contributes only its outline, so dragging a large selection repaints a few
// thin strips, not its whole inside.
// Controls in a window of their own (the magnifier) are not the window's: they add nothing.
std::vector<RectI> ChangedAreas(const Controls& before, const Controls& after);

// Whether anything shown in the own window of `root` (the magnifier) differs between two states
// of the controls: shown or hidden, moved, rescaled or another look. Its window is then drawn
// again.
bool OwnWindowChanged(const Controls& before, const Controls& after, ControlId root);

}  // namespace capture
