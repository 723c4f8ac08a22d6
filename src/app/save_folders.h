// The folders a save uses, from the settings as written: %VARIABLES% expanded, the user's
// Pictures folder for the default, and never a path relative to the current folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/save_memory.h"

namespace capture {

// What the system says.
struct SystemFolders {
  // An environment variable's value; nothing when it is not set or empty.
  std::function<std::optional<std::u16string>(std::u16string_view)> variable;
  std::u16string pictures;  // the user's Pictures folder; empty when the system names none
};

// The folder with each %NAME% replaced by the variable's value; nothing when a variable has no
// value or the result is no full path ("X:\…" or "\\server\share…"). A "%" that starts no name
// (none follows, or the text up to the next one holds a \, / or :) is kept as it is.
std::optional<std::u16string> ExpandedFolder(std::u16string_view written,
                                             const SystemFolders& system);

struct SaveFolders {
  std::u16string quick;  // empty only when the system names no Pictures folder
  std::u16string last;   // empty: none yet
  // A bad folder's report; the default is used in its place.
  std::vector<std::u16string> problems;
};

// The quick-save folder (empty in the settings: Screenshots in the Pictures folder) and the
// dialog's last folder, as the saves use them.
SaveFolders ResolveSaveFolders(const SaveSettings& written, const SystemFolders& system);

}  // namespace capture
