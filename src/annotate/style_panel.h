// The style panel's reactions: the palette and the font-size combo look-alike.
#pragma once

#include "form/controls.h"

namespace capture {

class CaptureForm;
class Window;

// The colour the tools draw in: the background of the large swatch that shows the current colour.
Colour CurrentColour(const CaptureForm& form);

void MoveOnSwatch(CaptureForm& form, int index);
void ReleaseOnSwatch(CaptureForm& form, int index);
void MoveOnPalette(CaptureForm& form);
void MoveOnFontPanel(CaptureForm& form);
void MoveOnFontSizeBox(CaptureForm& form);
void PressOnFontSizeBox(CaptureForm& form, Window& window);
void MoveOnStylePanel(Window& window);
void FontSizeChosen(CaptureForm& form);
// Drops the font-size list down when it is closed, closes it when it is open.
void ToggleFontSizeList(Window& window);

}  // namespace capture
