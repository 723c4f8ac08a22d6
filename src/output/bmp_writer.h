// A standard BMP file of a picture.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/picture_rows.h"
#include "platform/types.h"

namespace capture {

// The picture as a BMP file: BITMAPFILEHEADER, BITMAPINFOHEADER, then bottom-up BI_RGB rows of
// 24 bits per pixel (blue, green, red), each padded to 4 bytes. 24 bits rather than 32: the
// picture has no alpha, and a 32-bit BI_RGB file's fourth byte (zero here) is read as alpha by
// some viewers, which would show the picture as fully transparent.
// The picture's file size must fit (BmpFileSize); throws std::length_error otherwise.
std::vector<std::uint8_t> EncodeBmp(const Picture& picture);

// The two headers of a BMP file of a picture of that size, which must fit (BmpFileSize; throws
// std::length_error otherwise); its rows follow them, bottom-up (AppendBmpRows).
std::vector<std::uint8_t> BmpHeader(int width, int height);

// Appends the BMP file's rows [from_bottom, from_bottom + count) of the picture to `out`; the
// file's row 0 is the picture's bottom row.
void AppendBmpRows(const PictureRows& rows, int from_bottom, int count,
                   std::vector<std::uint8_t>& out);

// The size in bytes of the BMP file of a picture of that size; nothing when it would not fit the
// file's 32-bit size fields (about 4 GB: a picture of some 1.4 billion pixels).
std::optional<std::uint32_t> BmpFileSize(int width, int height);

}  // namespace capture
