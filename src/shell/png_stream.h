// A picture encoded as PNG band by band through the Windows Imaging Component, so that no second
// copy of a whole picture is made however tall it is: what the clipboard's "PNG" holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "shell/handles.h"

namespace capture::win32 {

// Fills `into` with rows [first, first + count) of a picture, top-down, each the picture's width in
// pixels (0x00RRGGBB); false when they could not be read.
using ReadBand = std::function<bool(int first, int count, std::uint32_t* into)>;

// Takes the next `count` bytes of the file being written; false to stop the writing.
using WriteBytes = std::function<bool(const std::uint8_t* bytes, std::size_t count)>;

// The width x height picture that `read` gives, as a 24-bit PNG file handed to `write` piece by
// piece, in order; false when it could not be encoded or `write` stopped it.
bool WritePng(int width, int height, const ReadBand& read, const WriteBytes& write);

// A PNG file in movable global memory: its bytes first; the block may be longer.
struct PngMemory {
  GlobalMemory memory;  // null when the picture could not be encoded
  std::size_t size = 0;
};

// The width x height picture that `read` gives, as a 24-bit PNG file.
PngMemory PngInGlobalMemory(int width, int height, const ReadBand& read);

}  // namespace capture::win32
