// Which monitor a point of the capture window belongs to, and keeping the chrome on one.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace capture {

class CaptureForm;
struct Control;

// The monitor that holds the point; when none does (a gap of the virtual screen that no monitor
// shows), the nearest one. The list must not be empty.
const Monitor& MonitorAt(const std::vector<Monitor>& monitors, PointI point);

// The monitor that holds the selection's bottom-right corner, or the nearest: the toolbar strip and
// the style panel are placed on it, and the chrome takes its DPI.
const Monitor& SelectionMonitor(const CaptureForm& form);

// How far the box must move to lie inside the area, as little as possible; where it is larger
// than the area, its left and top edges go to the area's.
PointF OffsetInto(float left, float top, float right, float bottom, const RectI& area);

// Moves a control on the window, `size` screen pixels large, by the least that brings it inside
// the area.
void KeepInside(Control& control, PointF size, const RectI& area);

}  // namespace capture
