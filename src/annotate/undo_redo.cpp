#include "annotate/undo_redo.h"

#include "form/capture_form.h"

namespace capture {

void Undo(CaptureForm& form) {
  if (form.history.Undo(form.platform.surface)) return;

  // Nothing left to undo: back to selecting. The picture stays, and so do the snapshots, which a
  // redo can still reach once a new selection shows the toolbar again.
  form.selection_mode = SelectionMode::Draw;
  form.HideSelectionChrome();
  form[ControlId::Toolbar].visible = false;
  form[ControlId::StylePanel].visible = false;
  form[ControlId::Selection].width = 0;
  form[ControlId::Selection].height = 0;
  form.tool_active = false;
}

void Redo(CaptureForm& form) {
  form.history.Redo(form.platform.surface);
}

}  // namespace capture
