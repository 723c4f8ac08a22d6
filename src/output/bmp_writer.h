// A standard BMP file of a picture.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/types.h"

namespace capture {

// The picture as a BMP file: BITMAPFILEHEADER, BITMAPINFOHEADER, then bottom-up BI_RGB rows of
// 24 bits per pixel (blue, green, red), each padded to 4 bytes. 24 bits rather than 32: the
// picture has no alpha, and a 32-bit BI_RGB file's fourth byte (zero here) is read as alpha by
// some viewers, which would show the picture as fully transparent.
// The picture's file size must fit (BmpFileSize); throws std::length_error otherwise.
std::vector<std::uint8_t> EncodeBmp(const Picture& picture);

// The size in bytes of the BMP file of a picture of that size; nothing when it would not fit the
// file's 32-bit size fields (about 4 GB: a picture of some 1.4 billion pixels).
std::optional<std::uint32_t> BmpFileSize(int width, int height);

}  // namespace capture
