// The part of the virtual screen a run for a script grabs.
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/platform.h"

namespace capture {

// The virtual screen as the system places it: its top-left in the system's coordinates (negative
// when a monitor lies left of or above the primary), its monitors in picture coordinates.
struct ScreenLayout {
  PointI origin;
  SizeI size;
  std::vector<Monitor> monitors;  // the primary first
};

struct AreaToGrab {
  RectI area;            // in picture coordinates: (0,0) is the virtual screen's top-left
  std::u16string error;  // why nothing can be grabbed (for the status of bad arguments)
};

// The request's rectangle clipped to the virtual screen. Monitor N counts the primary first,
// then the others from left to right (top to bottom where they share a left edge).
// `foreground` is the foreground window's visible bounds in the system's coordinates.
AreaToGrab AreaOf(const ScriptRequest& request, const ScreenLayout& screen,
                  const RectI& foreground);

}  // namespace capture
