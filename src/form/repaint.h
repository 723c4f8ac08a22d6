// Which parts of the window must be repainted after a reaction changed the controls.
#pragma once

#include <vector>

#include "form/controls.h"

namespace capture {

// The window areas whose look differs between two states of the controls: for every control
// that moved, changed its look or was shown or hidden, where it was and where it is now. An
// unfilled shape contributes only its outline, so dragging a large selection repaints a few
// thin strips, not its whole inside.
std::vector<RectI> ChangedAreas(const Controls& before, const Controls& after);

}  // namespace capture
