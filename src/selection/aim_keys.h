// The keys that make a selection at once: the whole monitor, and the selections of earlier
// captures; and the key that copies the colour under the pointer as text.
#pragma once

#include "annotate/annotate_state.h"
#include "selection/selection_state.h"

namespace capture {

class CaptureForm;
class Clipboard;
class Surface;
class Window;

// Selects the monitor under the pointer as if dragged out; when that is the selection already,
// the whole virtual screen. Nothing while a tool is chosen.
void SelectWholeMonitor(CaptureForm& form, SelectionState& selection, const ToolChoice& choice);
// Makes an earlier capture's selection the selection, cut to the virtual screen: `steps` back
// (negative) or forward through them from the one brought back last. Nothing past either end,
// nor while a tool is chosen.
void RecallSelection(CaptureForm& form, SelectionState& selection, const ToolChoice& choice,
                     int steps);
// How long "已复制" stays when the pointer stays still.
inline constexpr int kNoticeMilliseconds = 1500;

// Puts the colour of the pixel under the pointer on the clipboard as text, "#RRGGBB" or (numbers)
// "r, g, b", and says so in the colour label and the magnifier for a moment: until the window's
// timer runs out, or earlier when the pointer moves.
void CopyColourUnderPointer(CaptureForm& form, Aim& aim, const Surface& surface,
                            Clipboard& clipboard, Window& window, bool numbers);
// The moment is over: the colour label shows the colour under the pointer again where it still
// said "已复制"; the magnifier follows the notice it reads from `aim`.
void TakeNoticeDown(CaptureForm& form, Aim& aim, const Surface& surface);

}  // namespace capture
