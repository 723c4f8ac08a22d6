// Which monitor a point of the capture window belongs to.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace capture {

// The monitor that holds the point; when none does (a gap of the virtual screen that no monitor
// shows), the nearest one. The list must not be empty.
const Monitor& MonitorAt(const std::vector<Monitor>& monitors, PointI point);

}  // namespace capture
