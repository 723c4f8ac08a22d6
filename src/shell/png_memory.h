// Pictures to PNG bytes and back in memory, through GDI+ and an ole32 stream: what a pin kept
// over a quit is written as and read from.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/types.h"

namespace capture::win32 {

// The picture's pixels, exact, as a PNG file's bytes; nothing when GDI+ could not make them.
std::optional<std::vector<std::uint8_t>> EncodePng(const Picture& picture);
// The picture a PNG file's bytes hold, opaque; nothing when they are no picture GDI+ reads or
// one larger than `max_pixels`.
std::optional<Picture> DecodePng(std::span<const std::uint8_t> png, std::int64_t max_pixels);

}  // namespace capture::win32
