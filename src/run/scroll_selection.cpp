#include "run/scroll_selection.h"

#include <new>
#include <string>

#include "annotate/mark_gestures.h"
#include "annotate/text_tool.h"
#include "form/capture_form.h"
#include "platform/scroller.h"
#include "run/capture_run.h"
#include "run/display_change.h"
#include "selection/selection_drag.h"

namespace capture {
namespace {

// How far one notch of the wheel scrolls a view, in design pixels.
constexpr float kRowsPerNotch = 120;

// The joined picture becomes the capture's picture: frozen into the surface in place of the
// screen, shown at full size with its top-left where the selection's was, and all of it the
// selection. The marks drawn on the screen's picture are not on this one: its history starts anew.
void ShowJoinedPicture(RunState& run, const Picture& picture, const RectI& area) {
  CaptureForm& form = run.form;
  DeselectMark(form, run.annotate);
  run.annotate.tool_drag.End();
  run.services.surface.EndPreview();
  run.services.surface.FreezePicture(picture);
  form.history.Start();
  form.ShowPicture({picture.width, picture.height}, area);
  // The windows listed at the freeze are not on this picture: nothing to aim at.
  run.selection.aim.elements.clear();
  SelectArea(form, run.selection.drag, run.selection.aim, {0, 0, picture.width, picture.height});
  FollowDisplayChange(form);
}

}  // namespace

void ScrollSelection(RunState& run) {
  CaptureForm& form = run.form;
  Scroller* scroller = run.services.scroller;
  const RectI selection = form.SelectionRect();
  if (!scroller || selection.Empty() || form.view().Shown()) return;
  // An open text box is drawn first: it is on the screen's picture, which a cancel keeps.
  CommitOpenTextBox(form, run.annotate, run.services.surface);
  scroller->Scroll(selection, [&run, &selection](const Picture& picture) -> std::u16string {
    try {
      ShowJoinedPicture(run, picture, selection);
      return {};
    } catch (const std::bad_alloc&) {
      // Too large to show here: the picture is not lost, it goes to the clipboard as it is.
      if (run.services.clipboard.PutBitmap(picture)) return u"图片太大，无法显示，已复制";
      throw;
    }
  });
}

bool ScrollView(RunState& run, int notches) {
  CaptureForm& form = run.form;
  if (!form.view().Shown()) return false;
  const auto rows = static_cast<int>(form.controls.scale(kRowsPerNotch));
  // The chrome is placed again on the monitors as the moved view shows them.
  if (form.ScrollView(-notches * rows)) FollowDisplayChange(form);
  return true;
}

}  // namespace capture
