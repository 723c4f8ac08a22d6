// The style panel's reactions: the palette and the font-size combo look-alike.
#pragma once

#include "form/controls.h"

namespace capture {

class CaptureForm;

// The colour the tools draw in: the background of the large swatch Pcolor(16).
Colour CurrentColour(const CaptureForm& form);

void Pcolor_MouseMove(CaptureForm& form, int index);
void Pcolor_MouseUp(CaptureForm& form, int index);
void PicColor_MouseMove(CaptureForm& form);
void PicFont_MouseMove(CaptureForm& form);
void PicCombox_MouseMove(CaptureForm& form);
void PicCombox_MouseDown(CaptureForm& form);
void Picture2_MouseMove(CaptureForm& form);
void Combo1_Click(CaptureForm& form);
// Drops the combo box's list down when it is closed, closes it when it is open.
void OpenCombo(CaptureForm& form, ControlId Chwnd);

}  // namespace capture
