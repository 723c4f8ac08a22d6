#include "run/finish.h"

#include "form/capture_form.h"
#include "run/copy_selection.h"

namespace capture {

void Form_DblClick(CaptureForm& form, float x, float y) {
  if (!PtInRect(form.SelRect(), RoundHalfEven(x), RoundHalfEven(y))) return;
  CopyAndQuit(form);
}

void Form_KeyPress(CaptureForm& form, char16_t key) {
  constexpr char16_t kEscape = 27;
  if (key == kEscape) form.CloseWindow();
}

}  // namespace capture
