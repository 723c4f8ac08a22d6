// The names a capture is written under when no path is given: a pattern of the time, made unique
// in its folder.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/save_memory.h"

namespace capture {

// The pattern with {yyyy} {MM} {dd} {HH} {mm} {ss} replaced by the time (zero-padded) and {n} by
// `n`; any other text, braces included, is kept as it is.
std::u16string ExpandPattern(std::u16string_view pattern, const LocalTime& time, int n);

// How many names the search for a free one tries before it gives up.
inline constexpr int kFreeNameCandidates = 10000;

// True when Windows takes a file of this name (before its first dot, trailing spaces left out,
// in any case) for a device: CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9.
bool IsDeviceName(std::u16string_view name);

// The full path of a file in `folder` (without a trailing separator) named by the pattern, that
// `exists` says is not there yet and that names no device: with {n} in the pattern, the first n
// from 1 that is free; otherwise the name itself, then "name (2)", "name (3)"… Nothing when none
// of the first kFreeNameCandidates names is free.
std::optional<std::u16string> FreeFileName(
    const QuickSave& save, const LocalTime& time,
    const std::function<bool(const std::u16string&)>& exists);

}  // namespace capture
