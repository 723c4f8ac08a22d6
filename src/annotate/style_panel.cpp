#include "annotate/style_panel.h"

#include "form/capture_form.h"

namespace capture {
namespace {

constexpr int kCurrentSwatch = 16;
constexpr int kLookNormal = 0, kLookHover = 1, kLookPressed = 2;

void ClearPaletteBorders(CaptureForm& form) {
  for (int i = 0; i < kCurrentSwatch; ++i) form[Pcolor(i)].has_border = false;
}

// PicCombox shows one of the three looks stored in Image4.
void ShowComboLook(CaptureForm& form, int look) {
  form[ControlId::PicCombox].picture = form[Image4(look)].picture;
}

}  // namespace

Colour CurrentColour(const CaptureForm& form) {
  return form[Pcolor(kCurrentSwatch)].back_colour;
}

void Pcolor_MouseMove(CaptureForm& form, int index) {
  // Only the palette gets a hover border; the current-colour swatch takes them all away.
  if (index == kCurrentSwatch) return ClearPaletteBorders(form);
  form[Pcolor(index)].has_border = true;
}

void Pcolor_MouseUp(CaptureForm& form, int index) {
  form[Pcolor(kCurrentSwatch)].back_colour = form[Pcolor(index)].back_colour;
}

void PicColor_MouseMove(CaptureForm& form) {
  ClearPaletteBorders(form);
}

void PicFont_MouseMove(CaptureForm& form) {
  ShowComboLook(form, kLookNormal);
}

void PicCombox_MouseMove(CaptureForm& form) {
  ShowComboLook(form, kLookHover);
}

void PicCombox_MouseDown(CaptureForm& form) {
  ShowComboLook(form, kLookPressed);
  OpenCombo(form, ControlId::Combo1);
}

void Picture2_MouseMove(CaptureForm& form) {
  form.platform.window.SetPointer(Pointer::Arrow);
}

void Combo1_Click(CaptureForm& form) {
  form[ControlId::Text1].caption = form[ControlId::Combo1].caption;
}

void OpenCombo(CaptureForm& form, ControlId Chwnd) {
  Window& window = form.platform.window;
  const bool dropped = window.ComboDropped(Chwnd);
  window.ShowComboList(Chwnd, !dropped);
}

}  // namespace capture
