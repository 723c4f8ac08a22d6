// The toolbar strip's tools: choosing one lays out and shows the style panel; hovering marks a
// button. (What each button does is the run's reaction table.)
#pragma once

namespace capture {

class CaptureForm;

// The toolbar's buttons, Image2(0) to Image2(8), by index.
namespace toolbar_button {
inline constexpr int kUndo = 0, kCopyQuit = 1, kSave = 2, kQuit = 3, kArrow = 4, kText = 5,
                     kEllipse = 6, kRectangle = 7, kRedo = 8;
}  // namespace toolbar_button

// Chooses the tool of button `index`: an open text box is drawn first (unless the text tool is
// chosen again), and the style panel shows, laid out for the tool; the same tool twice in a row
// hides the panel and keeps the tool.
void ChooseTool(CaptureForm& form, int index);
// Places the style panel below the strip, or above it when the screen ends first.
void PlacePanel(CaptureForm& form);
void Image2_MouseMove(CaptureForm& form, int index);
void Picture1_MouseMove(CaptureForm& form);

}  // namespace capture
