#include "annotate/area_effects.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace capture {
namespace {

constexpr int kChannels = 3;

std::uint32_t PixelFrom(const std::array<std::uint32_t, kChannels>& rgb) {
  return (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
}

// Adds the red, green and blue of the pixels from `first` to `last` to `sum`. Red and blue add up
// side by side in the two halves of one word, green in another: a segment of up to 257 pixels
// cannot carry one half into the other, so longer ones go in pieces.
void AddSegment(const std::uint32_t* first, const std::uint32_t* last,
                std::array<std::uint32_t, kChannels>& sum) {
  constexpr std::ptrdiff_t kPiece = 256;
  while (first < last) {
    const std::uint32_t* end = first + std::min(kPiece, last - first);
    std::uint32_t red_blue = 0, green = 0;
    for (; first < end; ++first) {
      red_blue += *first & 0x00FF00FFu;
      green += (*first >> 8) & 0xFFu;
    }
    sum[0] += red_blue >> 16;
    sum[1] += green;
    sum[2] += red_blue & 0xFFFFu;
  }
}

// The mean of a box of 2 * box + 1 values from its sum, rounded, by a multiplication: a division
// per value would cost more than the rest of the pass.
struct BoxMean {
  explicit BoxMean(int box)
      : factor((1u << kShift) / static_cast<std::uint32_t>(2 * box + 1) + 1) {}
  std::uint16_t operator()(std::uint32_t sum) const {
    return static_cast<std::uint16_t>((sum * factor + kHalf) >> kShift);
  }
  static constexpr int kShift = 16;
  static constexpr std::uint32_t kHalf = 1u << (kShift - 1);
  std::uint32_t factor;
};

// Pixels row by row, each as four channel values (blue, green, red, and one left unused). A pass
// down the columns treats every channel of every pixel as a column of its own. The values are wider
// than a byte only so that no pointer to them can alias the sums, which lets the passes vectorise.
using Pixel4 = std::array<std::uint16_t, 4>;
struct Grid {
  int rows = 0, columns = 0;  // in pixels
  std::vector<Pixel4> pixels;

  std::size_t RowValues() const { return static_cast<std::size_t>(columns) * 4; }
  std::uint16_t* Row(int y) {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(columns)].data();
  }
};

// Each value becomes the mean of the box around it down its column, the first and last rows held
// beyond the ends, in place: the rows a box still needs after they are overwritten are kept in a
// ring of box + 1 rows. The work runs along the rows, so it reads memory in order.
void BoxDownColumns(Grid& grid, int box, std::vector<std::uint16_t>& ring,
                    std::vector<std::uint32_t>& sums) {
  const BoxMean mean(box);
  const int last = grid.rows - 1;
  const std::size_t width = grid.RowValues();
  const int kept = box + 1;
  ring.resize(static_cast<std::size_t>(kept) * width);
  const auto kept_row = [&](int y) {
    return ring.data() + static_cast<std::size_t>(y % kept) * width;
  };
  sums.assign(width, 0);
  for (int i = -box; i <= box; ++i) {
    const std::uint16_t* row = grid.Row(std::clamp(i, 0, last));
    for (std::size_t x = 0; x < width; ++x) sums[x] += row[x];
  }
  for (int y = 0; y <= last; ++y) {
    std::uint16_t* row = grid.Row(y);
    std::copy(row, row + width, kept_row(y));
    for (std::size_t x = 0; x < width; ++x) row[x] = mean(sums[x]);
    const int entering = std::min(y + box + 1, last);
    const std::uint16_t* in = entering <= y ? kept_row(entering) : grid.Row(entering);
    const std::uint16_t* out = kept_row(std::max(y - box, 0));
    for (std::size_t x = 0; x < width; ++x) sums[x] += static_cast<std::uint32_t>(in[x]) - out[x];
  }
}

// Each pixel of a row becomes the mean of the box around it along the row, the end pixels held
// beyond the ends: from `from` into `to`. The four channels of a pixel go together.
void BoxAlongRow(const Pixel4* from, Pixel4* to, int width, int box) {
  const BoxMean mean(box);
  const int last = width - 1;
  std::array<std::uint32_t, 4> sums{};
  for (int i = -box; i <= box; ++i) {
    const Pixel4& p = from[std::clamp(i, 0, last)];
    for (std::size_t c = 0; c < 4; ++c) sums[c] += p[c];
  }
  const auto step = [&](int x, const Pixel4& in, const Pixel4& out) {
    for (std::size_t c = 0; c < 4; ++c) {
      to[x][c] = mean(sums[c]);
      sums[c] += static_cast<std::uint32_t>(in[c]) - out[c];
    }
  };
  // Where the box lies inside the row, no end is held: the loop in the middle has no clamps.
  const int inside_from = std::min(box, width), inside_to = std::max(inside_from, last - box);
  for (int x = 0; x < inside_from; ++x) step(x, from[std::min(x + box + 1, last)], from[0]);
  for (int x = inside_from; x < inside_to; ++x) step(x, from[x + box + 1], from[x - box]);
  for (int x = inside_to; x < width; ++x) {
    step(x, from[std::min(x + box + 1, last)], from[std::max(x - box, 0)]);
  }
}

}  // namespace

Picture Pixelate(PixelView picture, const RectI& area, int cell) {
  Picture out;
  Pixelate(picture, area, cell, out);
  return out;
}

void Pixelate(PixelView picture, const RectI& area, int cell, Picture& out) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  out.Resize(width, height);
  const int columns = (width + cell - 1) / cell;
  std::vector<std::array<std::uint32_t, kChannels>> sums(static_cast<std::size_t>(columns));
  std::vector<std::uint32_t> band_row(static_cast<std::size_t>(width));
  for (int top = 0; top < height; top += cell) {
    const int bottom = std::min(top + cell, height);
    std::fill(sums.begin(), sums.end(), std::array<std::uint32_t, kChannels>{});
    for (int y = top; y < bottom; ++y) {
      const std::uint32_t* row = picture.Row(area.top + y) + area.left;
      for (int column = 0; column < columns; ++column) {
        const int left = column * cell, right = std::min(left + cell, width);
        AddSegment(row + left, row + right, sums[static_cast<std::size_t>(column)]);
      }
    }
    // The band's first row, then the same row for each of the others.
    for (int column = 0; column < columns; ++column) {
      const int left = column * cell, right = std::min(left + cell, width);
      const auto count = static_cast<std::uint32_t>((right - left) * (bottom - top));
      std::array<std::uint32_t, kChannels> mean = sums[static_cast<std::size_t>(column)];
      for (std::uint32_t& m : mean) m = (m + count / 2) / count;
      std::fill(band_row.begin() + left, band_row.begin() + right, PixelFrom(mean));
    }
    for (int y = top; y < bottom; ++y) std::copy(band_row.begin(), band_row.end(), &out.at(0, y));
  }
}

Picture Blur(PixelView picture, const RectI& area, int box) {
  // Three passes reach 3 * box pixels: the blurred area needs that much of the picture around it.
  // Passes over this larger rectangle hold its edge values beyond it; where that edge is not the
  // picture's own, the error it brings travels box pixels inward per pass and stops just short of
  // the area.
  const int reach = 3 * box;
  const RectI around =
      Intersect({area.left - reach, area.top - reach, area.right + reach, area.bottom + reach},
                {0, 0, picture.width, picture.height});
  Grid grid{around.bottom - around.top, around.right - around.left, {}};
  grid.pixels.reserve(static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.columns));
  // Along each row as it is read, then down the columns.
  std::vector<Pixel4> from;
  for (int y = around.top; y < around.bottom; ++y) {
    const std::uint32_t* row = picture.Row(y);
    for (int x = around.left; x < around.right; ++x) {
      grid.pixels.push_back({static_cast<std::uint16_t>(row[x] & 0xFFu),
                             static_cast<std::uint16_t>((row[x] >> 8) & 0xFFu),
                             static_cast<std::uint16_t>((row[x] >> 16) & 0xFFu), 0});
    }
    Pixel4* read = grid.pixels.data() + grid.pixels.size() - static_cast<std::size_t>(grid.columns);
    from.resize(static_cast<std::size_t>(grid.columns));
    BoxAlongRow(read, from.data(), grid.columns, box);
    BoxAlongRow(from.data(), read, grid.columns, box);
    std::copy(read, read + grid.columns, from.begin());
    BoxAlongRow(from.data(), read, grid.columns, box);
  }
  std::vector<std::uint16_t> ring;
  std::vector<std::uint32_t> sums;
  for (int pass = 0; pass < 3; ++pass) BoxDownColumns(grid, box, ring, sums);

  Picture out(area.right - area.left, area.bottom - area.top);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const Pixel4& p = grid.pixels[static_cast<std::size_t>(area.top - around.top + y) *
                                        static_cast<std::size_t>(grid.columns) +
                                    static_cast<std::size_t>(area.left - around.left + x)];
      out.at(x, y) = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                     static_cast<std::uint32_t>(p[2]) << 16;
    }
  }
  return out;
}

}  // namespace capture
