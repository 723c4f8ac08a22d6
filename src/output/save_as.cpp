#include "output/save_as.h"

#include "output/image_file.h"
#include "output/image_formats.h"
#include "output/save_dialog.h"

namespace capture {

bool SaveToChosenFile(Platform& platform, const Picture& picture) {
  const SaveSettings settings = platform.saving.Saving();
  const std::u16string folder =
      settings.last_folder.empty() ? platform.dialogs.ProgramFolder() : settings.last_folder;
  const std::optional<std::u16string> path =
      platform.dialogs.AskSavePath(SaveAsRequest(folder, settings.last_format));
  if (!path) return false;  // cancelled
  const std::u16string extension = ExtensionOf(*path);
  EncoderSettings encoder;
  encoder.jpeg_quality = settings.jpeg_quality;
  if (!WriteImageFile(platform, picture, *path, extension, encoder)) return false;
  platform.saving.RememberSave(FolderOf(*path), LowerCase(extension));
  return true;
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
