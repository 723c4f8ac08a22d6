// The windows and controls on the desktop, listed as plain rectangles for the capture's
// suggestions: taken once, at the freeze.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/platform.h"

namespace capture::win32 {

// What a top-level window shows of itself: the frame the system draws (without the invisible
// resize borders) where it can say, else the window rectangle; in the system's coordinates.
// Nothing for a window that cannot be read.
std::optional<RectI> VisibleBounds(HWND window);

// The visible top-level windows, topmost first, each followed by its visible children to a
// bounded depth, in coordinates whose (0,0) is the system's point `origin`. Windows of the process
// `skipped` are left out, as are cloaked, minimised, empty and fully transparent ones; a child
// is cut to its parent's area.
std::vector<DesktopElement> DesktopElements(POINT origin, DWORD skipped);

}  // namespace capture::win32
