#include "app/save_folders.h"

#include "app/settings.h"

namespace capture {
namespace {

bool IsFullPath(std::u16string_view path) {
  const auto separator = [](char16_t c) { return c == u'\\' || c == u'/'; };
  const bool drive =
      path.size() >= 3 &&
      ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
      path[1] == u':' && separator(path[2]);
  return drive || (path.size() >= 3 && separator(path[0]) && separator(path[1]));
}

}  // namespace

std::optional<std::u16string> ExpandedFolder(std::u16string_view written,
                                             const SystemFolders& system) {
  std::u16string folder;
  while (!written.empty()) {
    const std::size_t open = written.find(u'%');
    const std::size_t close = open == written.npos ? open : written.find(u'%', open + 1);
    if (close == written.npos) {
      folder += written;
      break;
    }
    folder += written.substr(0, open);
    const std::u16string_view name = written.substr(open + 1, close - open - 1);
    if (name.empty() || name.find_first_of(u"\\/:") != name.npos) {
      folder += u'%';
      written.remove_prefix(open + 1);
      continue;
    }
    const std::optional<std::u16string> value = system.variable(name);
    if (!value || value->empty()) return std::nullopt;
    folder += *value;
    written.remove_prefix(close + 1);
  }
  if (!IsFullPath(folder)) return std::nullopt;
  return folder;
}

SaveFolders ResolveSaveFolders(const SaveSettings& written, const SystemFolders& system) {
  SaveFolders folders;
  const std::u16string screenshots =
      system.pictures.empty() ? std::u16string() : system.pictures + u"\\Screenshots";
  folders.quick = screenshots;
  if (!written.quick.folder.empty()) {
    const std::optional<std::u16string> quick = ExpandedFolder(written.quick.folder, system);
    if (quick) {
      folders.quick = *quick;
    } else {
      folders.problems.push_back(
          BadValueText(u"quick_save", u"folder", written.quick.folder, kFolderWanted));
    }
  }
  if (!written.last_folder.empty()) {
    const std::optional<std::u16string> last = ExpandedFolder(written.last_folder, system);
    if (last) {
      folders.last = *last;
    } else {
      folders.problems.push_back(
          BadValueText(u"save", u"last_folder", written.last_folder, kFolderWanted));
    }
  }
  return folders;
}

}  // namespace capture
