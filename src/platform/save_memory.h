// What saving takes from the settings file and gives back to it: where a quick save goes and in
// which format, and where the save dialog opens.
#pragma once

#include <string>

namespace capture {

// The local time a file name is made from.
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Where and how a capture is saved without a dialog.
struct QuickSave {
  std::u16string folder;  // absolute, without a trailing separator
  std::u16string pattern = u"截图 {yyyy}-{MM}-{dd} {HH}{mm}{ss}";
  std::u16string extension = u"png";  // lower case, without the dot; names the format
};

struct SaveSettings {
  QuickSave quick;
  int jpeg_quality = 80;
  bool copy_on_quick_save = true;
  // The folder and the format (an extension in lower case) of the last save through the dialog;
  // empty until there is one: the dialog then opens in the program's folder with PNG chosen.
  std::u16string last_folder;
  std::u16string last_format;
};

class SaveMemory {
 public:
  virtual ~SaveMemory() = default;
  // The settings as they are now, folders absolute.
  virtual SaveSettings Saving() = 0;
  // The dialog's save wrote a file in `folder` in `format`: the next dialog opens there with that
  // format chosen. Written to the settings file when it changes what the file holds.
  virtual void RememberSave(const std::u16string& folder, const std::u16string& format) = 0;
  // A quick save wrote the file at `path` (resident mode says where in a balloon).
  virtual void QuickSaved(const std::u16string& path) = 0;
  // The local time now.
  virtual LocalTime Now() = 0;
};

}  // namespace capture
