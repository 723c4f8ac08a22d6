#include "output/save_dialog.h"

#include <array>
#include <utility>

namespace capture {
namespace {

// Description and pattern of each filter pair, in the dialog's order.
constexpr std::array<std::u16string_view, 12> kFilter{
    u"PNG文件(*.PNG)", u"*.PNG", u"JPEG文件(*.jpg;*.jpeg)", u"*.jpg",  u"位图文件(*.bmp)", u"*.bmp",
    u"GIF文件(*.gif)", u"*.gif", u"TIFF文件(*.TIFF)",       u"*.tiff", u"所有文件(*.*)",   u"*.*",
};

}  // namespace

SaveDialogRequest SaveAsRequest(std::u16string initial_dir) {
  SaveDialogRequest request;
  request.title = u"保存为";
  for (const std::u16string_view part : kFilter) {
    request.filter += part;
    request.filter += u'\0';
  }
  request.filter += u'\0';
  request.filter_index = 1;
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

}  // namespace capture
