#include "annotate/style_panel.h"

#include "form/capture_form.h"
#include "platform/platform.h"

namespace capture {
namespace {

constexpr int kLookNormal = 0, kLookHover = 1, kLookPressed = 2;

void ClearPaletteBorders(CaptureForm& form) {
  for (int i = 0; i < kCurrentColourSwatch; ++i) form[SwatchId(i)].has_border = false;
}

// FontSizeBox shows one of the three looks stored in ComboLookId.
void ShowComboLook(CaptureForm& form, int look) {
  form[ControlId::FontSizeBox].picture = form[ComboLookId(look)].picture;
}

}  // namespace

Colour CurrentColour(const CaptureForm& form) {
  return form[SwatchId(kCurrentColourSwatch)].back_colour;
}

void MoveOnSwatch(CaptureForm& form, int index) {
  // Only the palette gets a hover border; the current-colour swatch takes them all away.
  if (index == kCurrentColourSwatch) return ClearPaletteBorders(form);
  form[SwatchId(index)].has_border = true;
}

void ReleaseOnSwatch(CaptureForm& form, int index) {
  form[SwatchId(kCurrentColourSwatch)].back_colour = form[SwatchId(index)].back_colour;
}

void MoveOnPalette(CaptureForm& form) {
  ClearPaletteBorders(form);
}

void MoveOnFontPanel(CaptureForm& form) {
  ShowComboLook(form, kLookNormal);
}

void MoveOnFontSizeBox(CaptureForm& form) {
  ShowComboLook(form, kLookHover);
}

void PressOnFontSizeBox(CaptureForm& form, Window& window) {
  ShowComboLook(form, kLookPressed);
  ToggleFontSizeList(window);
}

void MoveOnStylePanel(Window& window) {
  window.SetPointer(Pointer::Arrow);
}

void FontSizeChosen(CaptureForm& form) {
  form[ControlId::FontSizeField].caption = form[ControlId::FontSizeList].caption;
}

void ToggleFontSizeList(Window& window) {
  window.ShowFontSizeList(!window.FontSizeListDropped());
}

}  // namespace capture
