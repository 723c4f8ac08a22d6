#include "output/quick_save.h"

#include "output/file_name.h"
#include "output/image_file.h"
#include "output/save_error.h"

namespace capture {

bool QuickSaveTo(Platform& platform, const Picture& picture) {
  const SaveSettings settings = platform.saving.Saving();
  const QuickSave& quick = settings.quick;
  if (FileResult error = platform.files.MakeFolders(quick.folder)) {
    error->text = quick.folder + u"：" + error->text;
    ShowSaveError(platform.dialogs, FileStepError(FileStep::MakeFolder, *error));
    return false;
  }
  const std::u16string path =
      FreeFileName(quick, platform.saving.Now(),
                   [&platform](const std::u16string& name) { return platform.files.Exists(name); });
  EncoderSettings encoder;
  encoder.jpeg_quality = settings.jpeg_quality;
  if (!WriteImageFile(platform, picture, path, quick.extension, encoder)) return false;
  platform.saving.QuickSaved(path);
  return true;
}

}  // namespace capture
