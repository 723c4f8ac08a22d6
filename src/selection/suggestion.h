// The window or control under the pointer, offered as the selection while none exists: outlined,
// its size in the size label, taken by a click; the wheel goes out to what holds it and back in.
#pragma once

#include <optional>
#include <vector>

#include "platform/platform.h"
#include "selection/aim.h"

namespace capture {

class CaptureForm;

// What lies under the point, innermost first: the deepest child window that holds it, the windows
// that hold that one, the topmost top-level window that holds the point, and last the monitor (the
// nearest one where no monitor shows). A rectangle equal to the one before it is left out.
std::vector<RectI> ElementsUnder(const std::vector<DesktopElement>& elements,
                                 const std::vector<Monitor>& monitors, PointI point);

// Outlines what lies under the pointer, from the innermost out, with its size in the size label.
void Suggest(CaptureForm& form, Aim& aim, float x, float y);
// Takes the suggestion away (a press, a selection made).
void HideSuggestion(CaptureForm& form, Aim& aim);
// The wheel: `steps` up go out to what holds the suggestion, down come back in.
void WheelOnWindow(CaptureForm& form, Aim& aim, int steps);
// The suggestion cut to the virtual screen, or nothing when none is offered.
std::optional<RectI> Suggested(const CaptureForm& form, const Aim& aim);

}  // namespace capture
