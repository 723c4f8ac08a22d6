// The names a capture is written under when no path is given: a pattern of the time, made unique
// in its folder.
#pragma once

#include <functional>
#include <string>

#include "platform/save_memory.h"

namespace capture {

// The pattern with {yyyy} {MM} {dd} {HH} {mm} {ss} replaced by the time (zero-padded) and {n} by
// `n`; any other text, braces included, is kept as it is.
std::u16string ExpandPattern(std::u16string_view pattern, const LocalTime& time, int n);

// The full path of a file in `folder` (without a trailing separator) named by the pattern, that
// `exists` says is not there yet: with {n} in the pattern, the first n from 1 that is free;
// otherwise the name itself, then "name (2)", "name (3)"…
std::u16string FreeFileName(const QuickSave& save, const LocalTime& time,
                            const std::function<bool(const std::u16string&)>& exists);

}  // namespace capture
