#include "annotate/undo_redo.h"

#include "form/capture_form.h"

namespace capture {

void Undo(CaptureForm& form) {
  SnapshotStore& store = form.store;
  // The index moves only once the picture is shown: an undo that fails changes nothing.
  if (store.SnapIdx - 1 >= 1) {
    store.Show(store.SnapIdx - 1, form.platform.surface);
    store.SnapIdx -= 1;
    return;
  }

  // Nothing left to undo: back to selecting. The picture stays, and so do the snapshots, which a
  // redo can still reach once a new selection shows the toolbar again.
  form.SelMode = SelectionMode::Draw;
  form.HideSelection();
  form[ControlId::Picture1].visible = false;
  form[ControlId::Picture2].visible = false;
  form[ControlId::Shape1].width = 0;
  form[ControlId::Shape1].height = 0;
  store.SnapIdx = 1;
  form.DrawOn = false;
}

void Redo(CaptureForm& form) {
  SnapshotStore& store = form.store;
  if (store.SnapIdx + 1 > store.SnapMax) return;
  store.Show(store.SnapIdx + 1, form.platform.surface);
  store.SnapIdx += 1;
}

}  // namespace capture
