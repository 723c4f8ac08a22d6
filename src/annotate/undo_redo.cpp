#include "annotate/undo_redo.h"

#include "capture/capture_form.h"

namespace capture {

void Undo(CaptureForm& form) {
  SnapshotStore& store = form.store;
  store.SnapIdx -= 1;
  if (store.SnapIdx >= 1) return store.Show(store.SnapIdx, form.platform.surface);

  // Nothing left to undo: back to selecting. The picture stays, and so do the snapshots, which a
  // redo can still reach once a new selection shows the toolbar again.
  form.SelMode = kModeDraw;
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
  store.SnapIdx += 1;
  if (store.SnapIdx > store.SnapMax) {
    store.SnapIdx = store.SnapMax;
    return;
  }
  store.Show(store.SnapIdx, form.platform.surface);
}

}  // namespace capture
