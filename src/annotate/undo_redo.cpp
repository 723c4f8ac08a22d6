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
  for (ControlId id : {ControlId::Shape1, ControlId::Picture1, ControlId::Picture2,
                       ControlId::LblPos, ControlId::lblInfo}) {
    form[id].visible = false;
  }
  form[ControlId::Shape1].width = 0;
  form[ControlId::Shape1].height = 0;
  for (int i = 0; i < 8; ++i) form[Image1(i)].visible = false;
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
