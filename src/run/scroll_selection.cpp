#include "run/scroll_selection.h"

#include <optional>
#include <utility>

#include "form/capture_form.h"
#include "output/save_as.h"
#include "output/save_error.h"
#include "platform/scroller.h"
#include "run/capture_run.h"

namespace capture {

void ScrollAndQuit(RunState& run) {
  CaptureForm& form = run.form;
  Scroller* scroller = run.services.scroller;
  const RectI selection = form.SelectionRect();
  if (!scroller || selection.Empty()) return;
  // The picture the clipboard would not take: the save dialog is its last chance.
  std::optional<Picture> not_copied;
  const bool joined =
      scroller->Scroll(selection, [&run, &form, &not_copied](Picture picture) -> std::u16string {
        if (run.services.clipboard.PutBitmap(picture)) {
          form.CloseWindow();
          return u"已复制";
        }
        not_copied = std::move(picture);
        return u"无法复制到剪贴板";
      });
  if (!joined) return;
  if (!not_copied) {
    run.selection.aim.taken = selection;
    return;
  }
  ShowCopyError(run.services.dialogs, ClipboardError());
  if (SaveToChosenFile(run.services, *not_copied)) {
    run.selection.aim.taken = selection;
    form.CloseWindow();
  }
}

}  // namespace capture
