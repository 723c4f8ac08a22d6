// A picture encoded as PNG band by band through the Windows Imaging Component, so that no second
// copy of a whole picture is made however tall it is: what the clipboard's "PNG" holds.
#pragma once

#include <cstdint>
#include <functional>

#include "shell/handles.h"

namespace capture::win32 {

// Fills `into` with rows [first, first + count) of a picture, top-down, each the picture's width in
// pixels (0x00RRGGBB); false when they could not be read.
using ReadBand = std::function<bool(int first, int count, std::uint32_t* into)>;

// The width x height picture that `read` gives, as a 24-bit PNG file's bytes in movable global
// memory (the file's bytes first; the block may be longer); null when it could not be encoded.
GlobalMemory PngInGlobalMemory(int width, int height, const ReadBand& read);

}  // namespace capture::win32
