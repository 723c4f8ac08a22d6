#include "annotate/undo_redo.h"

#include "annotate/render.h"
#include "form/capture_form.h"

namespace capture {

bool Undo(CaptureForm& form, ToolChoice& choice, Surface& surface) {
  History& history = form.history;
  if (history.Current() > 1) {
    // The position moves only once the document is shown: an undo that fails changes nothing.
    ShowDocument(history.At(history.Current() - 1), history, surface);
    history.Undo();
    return true;
  }
  // Nothing left to undo. The picture stays, and so do the documents, which a redo can still
  // reach once a new selection shows the toolbar again.
  form[ControlId::StylePanel].visible = false;
  choice.active = false;
  return false;
}

void Redo(CaptureForm& form, Surface& surface) {
  History& history = form.history;
  if (history.Current() >= history.Count()) return;
  ShowDocument(history.At(history.Current() + 1), history, surface);
  history.Redo();
}

}  // namespace capture
