#include "capture/copy_selection.h"

#include "capture/capture_form.h"

namespace capture {

void HideChromeForCopy(CaptureForm& form) {
  form[ControlId::Picture1].visible = false;
  form[ControlId::Picture2].visible = false;
  form.platform.window.Sleep(10);
  form.platform.window.PumpEvents();
  form[ControlId::Shape1].visible = false;
}

std::optional<ScreenCopy> CopySelection(CaptureForm& form) {
  const Control& selection = form[ControlId::Shape1];
  return form.ScrnCap(RoundHalfEven(selection.left), RoundHalfEven(selection.top),
                      RoundHalfEven(selection.left + selection.width),
                      RoundHalfEven(selection.top + selection.height));
}

}  // namespace capture
