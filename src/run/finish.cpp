#include "run/finish.h"

#include "form/capture_form.h"
#include "run/copy_selection.h"

namespace capture {

void Form_DblClick(CaptureForm& form, float x, float y) {
  if (!PtInRect(form.SelRect(), RoundHalfEven(x), RoundHalfEven(y))) return;
  CopyAndQuit(form);
}

}  // namespace capture
