#include "annotate/undo_redo.h"

#include "form/capture_form.h"

namespace capture {

bool Undo(CaptureForm& form, ToolChoice& choice, Surface& surface) {
  if (form.history.Undo(surface)) return true;

  // Nothing left to undo. The picture stays, and so do the snapshots, which a redo can still reach
  // once a new selection shows the toolbar again.
  form[ControlId::StylePanel].visible = false;
  choice.active = false;
  return false;
}

void Redo(CaptureForm& form, Surface& surface) {
  form.history.Redo(surface);
}

}  // namespace capture
