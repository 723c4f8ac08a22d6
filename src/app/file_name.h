// The names a capture is written under when no path is given: a pattern of the time, made unique
// in its folder.
#pragma once

#include <functional>
#include <string>

namespace capture {

// The local time a name is made from.
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Where and how a capture is saved without a dialog. The folder is the shell's to find
// (%USERPROFILE%\Pictures\Screenshots); the rest are the defaults.
struct QuickSave {
  std::u16string folder;
  std::u16string pattern = u"截图 {yyyy}-{MM}-{dd} {HH}{mm}{ss}";
  std::u16string extension = u"png";  // lower case, without the dot; names the format
};

// The pattern with {yyyy} {MM} {dd} {HH} {mm} {ss} replaced by the time (zero-padded) and {n} by
// `n`; any other text, braces included, is kept as it is.
std::u16string ExpandPattern(std::u16string_view pattern, const LocalTime& time, int n);

// The full path of a file in `folder` (without a trailing separator) named by the pattern, that
// `exists` says is not there yet: with {n} in the pattern, the first n from 1 that is free;
// otherwise the name itself, then "name (2)", "name (3)"…
std::u16string FreeFileName(const QuickSave& save, const LocalTime& time,
                            const std::function<bool(const std::u16string&)>& exists);

}  // namespace capture
