// What the save dialog is asked for, and how its answer is read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace capture {

// Characters the dialog's path buffer holds, NUL included: the longest path Windows accepts.
inline constexpr std::size_t kSavePathCharacters = 32768;

// The "保存为" dialog: the five formats and all files, PNG first, opening on `initial_dir` with an
// empty name field and the filter of `format` (an extension; PNG's for any other) chosen, "PNG"
// appended to a name typed without extension, and no question before overwriting.
SaveDialogRequest SaveAsRequest(std::u16string initial_dir, std::u16string_view format = u"png");

// The text after the last "." anywhere in the path (a folder's "." counts when the file name has
// none); the whole path when it holds no ".".
std::u16string ExtensionOf(std::u16string_view path);

// The folder of a file's path, without a trailing separator; a drive's root keeps its
// separator ("D:\"), since "D:" names the drive's current folder instead.
std::u16string FolderOf(std::u16string_view file);

}  // namespace capture
