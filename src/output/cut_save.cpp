// The save button's second half: ask for a file and write the clipboard's picture there.
#include "capture/capture_form.h"
#include "output/mod_save_pic.h"
#include "output/save_dialog.h"
#include "output/save_error.h"

namespace capture {

void CaptureForm::CutdSave() {
  const std::optional<std::u16string> path =
      platform.dialogs.AskSavePath(SaveAsRequest(platform.dialogs.ProgramFolder()));
  if (!path) return;  // cancelled: the selection stays on the clipboard

  const std::u16string extension = ExtensionOf(*path);
  const std::optional<Picture> picture = platform.clipboard.GetBitmap();
  if (!picture) {
    ShowSaveError(platform.dialogs, InvalidPictureError());
    return;
  }
  // The clipboard is the selection's only other copy: it is emptied only once the file holds it.
  if (ModSavePic::SavePic(platform, *picture, *path, extension, 80, 24, 6)) {
    platform.clipboard.Empty();
  }
}

}  // namespace capture
