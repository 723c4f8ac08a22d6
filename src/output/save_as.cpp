#include "output/save_as.h"

#include "output/image_file.h"
#include "output/save_dialog.h"

namespace capture {

bool SaveToChosenFile(Platform& platform, const Picture& picture) {
  const std::optional<std::u16string> path =
      platform.dialogs.AskSavePath(SaveAsRequest(platform.dialogs.ProgramFolder()));
  if (!path) return false;  // cancelled
  return WriteImageFile(platform, picture, *path, ExtensionOf(*path), EncoderSettings{});
}

bool SaveAs(Platform& platform, const Picture& picture) {
  // The copy is saved, not whatever the clipboard holds now: while the dialog was open, Ctrl+C in
  // the file-name box or another program may have put something else there. Cancelled, the
  // selection stays on the clipboard.
  if (!SaveToChosenFile(platform, picture)) return false;
  // Until the file holds the selection, the clipboard is its only other copy; and what another
  // program put there since is not ours to throw away.
  platform.clipboard.EmptyIfStillOurs();
  return true;
}

}  // namespace capture
