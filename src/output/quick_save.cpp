#include "output/quick_save.h"

#include "output/file_name.h"
#include "output/image_file.h"
#include "output/save_error.h"

namespace capture {
namespace {

// How often a finished file tries the next free name when another save took the one it was
// about to move to: each try loses only to a file that appeared in that very moment.
constexpr int kMoveTries = 100;

}  // namespace

bool QuickSaveTo(Platform& platform, const Picture& picture) {
  return QuickSaveTo(platform, RowsOfPicture(picture));
}

bool QuickSaveTo(Platform& platform, const PictureRows& rows) {
  const SaveSettings settings = platform.saving.Saving();
  const QuickSave& quick = settings.quick;
  if (FileResult error = platform.files.MakeFolders(quick.folder)) {
    error->text = quick.folder + u"：" + error->text;
    ShowSaveError(platform.dialogs, FileStepError(FileStep::MakeFolder, *error));
    return false;
  }
  const LocalTime now = platform.saving.Now();
  const auto free_name = [&] {
    return FreeFileName(quick, now,
                        [&](const std::u16string& name) { return platform.files.Exists(name); });
  };
  std::optional<std::u16string> path = free_name();
  if (!path) {
    ShowSaveError(platform.dialogs, NoFreeNameError());
    return false;
  }
  // The file goes in under a name nothing has, never over another file: two saves in the same
  // second (a script's run beside a capture, two runs at once) each keep their picture.
  const PlaceFile move_in = [&](TemporaryFile& temporary) -> std::optional<SaveError> {
    for (int tries = 0; tries < kMoveTries; ++tries) {
      const FileResult error = temporary.MoveIn(*path);
      if (!error) return std::nullopt;
      if (error->code != kNameTaken) return FileStepError(FileStep::Rename, *error);
      path = free_name();
      if (!path) break;
    }
    return NoFreeNameError();
  };
  EncoderSettings encoder;
  encoder.jpeg_quality = settings.jpeg_quality;
  if (!WriteImageFile(platform, rows, *path, quick.extension, encoder, move_in)) return false;
  platform.saving.QuickSaved(*path);
  return true;
}

}  // namespace capture
