#include "capture/finish.h"

#include "capture/capture_form.h"
#include "capture/copy_selection.h"

namespace capture {

void Form_DblClick(CaptureForm& form) {
  if (!PtInRect(form.SelRect, RoundHalfEven(form.MoveX), RoundHalfEven(form.MoveY))) return;
  CopyAndQuit(form);
}

void Form_KeyPress(CaptureForm& form, char16_t key) {
  constexpr char16_t kEscape = 27;
  if (key == kEscape) form.CloseWindow();
}

}  // namespace capture
