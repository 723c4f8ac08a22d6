#include "output/bmp_writer.h"

#include <cstddef>
#include <limits>
#include <stdexcept>

namespace capture {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre96Dpi = 3780;

void Put(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

}  // namespace

std::optional<std::uint32_t> BmpFileSize(int width, int height) {
  if (width < 0 || height < 0) return std::nullopt;
  // At most (2^31 * 3 + 3) * 2^31 + 54, well inside 64 bits.
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
  const std::uint64_t size =
      kFileHeaderSize + kInfoHeaderSize + stride * static_cast<std::uint64_t>(height);
  if (size > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(size);
}

std::vector<std::uint8_t> BmpHeader(int width, int height) {
  const std::optional<std::uint32_t> size = BmpFileSize(width, height);
  if (!size) throw std::length_error("the picture's BMP file would not fit its 32-bit size fields");
  const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<std::uint8_t> out(offset, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put(out, 2, *size, 4);
  Put(out, 10, static_cast<std::uint32_t>(offset), 4);

  Put(out, 14, kInfoHeaderSize, 4);
  Put(out, 18, static_cast<std::uint32_t>(width), 4);
  Put(out, 22, static_cast<std::uint32_t>(height), 4);  // positive: bottom-up rows
  Put(out, 26, 1, 2);                                   // planes
  Put(out, 28, 24, 2);                                  // bits per pixel
  Put(out, 30, 0, 4);                                   // BI_RGB
  Put(out, 34, static_cast<std::uint32_t>(*size - offset), 4);
  Put(out, 38, kPixelsPerMetre96Dpi, 4);
  Put(out, 42, kPixelsPerMetre96Dpi, 4);
  return out;
}

void AppendBmpRows(const PictureRows& rows, int from_bottom, int count,
                   std::vector<std::uint8_t>& out) {
  const auto width = static_cast<std::size_t>(rows.Width());
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  std::size_t at = out.size();
  out.resize(at + stride * static_cast<std::size_t>(count), 0);
  for (int k = from_bottom; k < from_bottom + count; ++k, at += stride) {
    const std::uint32_t* src = rows.Row(rows.Height() - 1 - k);
    std::uint8_t* dst = out.data() + at;
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t p = src[x];
      dst[3 * x] = static_cast<std::uint8_t>(p);
      dst[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
      dst[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
    }
  }
}

std::vector<std::uint8_t> EncodeBmp(const Picture& picture) {
  std::vector<std::uint8_t> out = BmpHeader(picture.width, picture.height);
  AppendBmpRows(RowsOfPicture(picture), 0, picture.height, out);
  return out;
}

}  // namespace capture
