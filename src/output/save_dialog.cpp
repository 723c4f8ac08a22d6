#include "output/save_dialog.h"

#include <array>
#include <utility>

#include "output/image_formats.h"

namespace capture {
namespace {

// Description and pattern of each filter pair, in the dialog's order.
constexpr std::array<std::u16string_view, 12> kFilter{
    u"PNG文件(*.PNG)", u"*.PNG", u"JPEG文件(*.jpg;*.jpeg)", u"*.jpg",  u"位图文件(*.bmp)", u"*.bmp",
    u"GIF文件(*.gif)", u"*.gif", u"TIFF文件(*.TIFF)",       u"*.tiff", u"所有文件(*.*)",   u"*.*",
};

// The filter pair (from 1) whose pattern takes files of the format; PNG's for none of them.
int FilterIndexOf(std::u16string_view format) {
  switch (FormatOfExtension(format).value_or(ImageFormat::Png)) {
    case ImageFormat::Png:
      return 1;
    case ImageFormat::Jpeg:
      return 2;
    case ImageFormat::Bmp:
      return 3;
    case ImageFormat::Gif:
      return 4;
    case ImageFormat::Tiff:
      return 5;
  }
  return 1;
}

}  // namespace

SaveDialogRequest SaveAsRequest(std::u16string initial_dir, std::u16string_view format) {
  SaveDialogRequest request;
  request.title = u"保存为";
  for (const std::u16string_view part : kFilter) {
    request.filter += part;
    request.filter += u'\0';
  }
  request.filter += u'\0';
  request.filter_index = FilterIndexOf(format);
  request.initial_dir = std::move(initial_dir);
  request.default_ext = u"PNG";
  request.file.clear();
  request.flags = 0;
  request.max_path = kSavePathCharacters;
  return request;
}

std::u16string ExtensionOf(std::u16string_view path) {
  const std::size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos) return std::u16string(path);
  return std::u16string(path.substr(dot + 1));
}

std::u16string FolderOf(std::u16string_view file) {
  const std::size_t slash = file.find_last_of(u"\\/");
  if (slash == std::u16string_view::npos) return {};
  const bool drive_root = slash > 0 && file[slash - 1] == u':';
  return std::u16string(file.substr(0, drive_root ? slash + 1 : slash));
}

}  // namespace capture
