#include "capture/finish.h"

#include "annotate/text_tool.h"
#include "capture/capture_form.h"

namespace capture {

void Form_DblClick(CaptureForm& form) {
  if (!PtInRect(form.SelRect, RoundHalfEven(form.MoveX), RoundHalfEven(form.MoveY))) return;
  CommitOpenTextBox(form);
  form[ControlId::Picture1].visible = false;
  form[ControlId::Picture2].visible = false;
  form.platform.window.Sleep(10);
  form.platform.window.PumpEvents();

  Control& selection = form[ControlId::Shape1];
  selection.visible = false;
  form.ScrnCap(RoundHalfEven(selection.left), RoundHalfEven(selection.top),
               RoundHalfEven(selection.left + selection.width),
               RoundHalfEven(selection.top + selection.height));
  form.CloseWindow();
}

void Form_KeyPress(CaptureForm& form, char16_t key) {
  constexpr char16_t kEscape = 27;
  if (key == kEscape) form.CloseWindow();
}

}  // namespace capture
