#include "annotate/area_effects.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace capture {
namespace {

constexpr int kChannels = 3;

int Channel(std::uint32_t pixel, int c) {
  return static_cast<int>((pixel >> (16 - 8 * c)) & 0xFFu);
}

std::uint32_t PixelFrom(const std::array<std::uint32_t, kChannels>& rgb) {
  return (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
}

// One colour channel of a rectangle, row by row.
struct Plane {
  int width = 0, height = 0;
  std::vector<std::uint8_t> values;

  std::uint8_t* Row(int y) { return values.data() + static_cast<std::size_t>(y) * Width(); }
  std::size_t Width() const { return static_cast<std::size_t>(width); }
};

// The mean of a box of 2 * box + 1 values from its sum, rounded, by a multiplication: a division
// per value would cost more than the rest of the pass.
struct BoxMean {
  explicit BoxMean(int box)
      : factor((1u << kShift) / static_cast<std::uint32_t>(2 * box + 1) + 1) {}
  std::uint8_t operator()(std::uint32_t sum) const {
    return static_cast<std::uint8_t>((sum * factor + kHalf) >> kShift);
  }
  static constexpr int kShift = 16;
  static constexpr std::uint32_t kHalf = 1u << (kShift - 1);
  std::uint32_t factor;
};

// Each value becomes the mean of the box around it along its row; beyond the row's ends the end
// values are held.
void BoxAlongRows(Plane& plane, std::vector<std::uint8_t>& scratch, int box) {
  const BoxMean mean(box);
  const int last = plane.width - 1;
  scratch.resize(plane.Width());
  for (int y = 0; y < plane.height; ++y) {
    std::uint8_t* row = plane.Row(y);
    std::copy(row, row + plane.width, scratch.begin());
    std::uint32_t sum = 0;
    for (int i = -box; i <= box; ++i)
      sum += scratch[static_cast<std::size_t>(std::clamp(i, 0, last))];
    for (int x = 0; x < plane.width; ++x) {
      row[x] = mean(sum);
      sum += scratch[static_cast<std::size_t>(std::min(x + box + 1, last))];
      sum -= scratch[static_cast<std::size_t>(std::max(x - box, 0))];
    }
  }
}

// The same along columns, a row at a time (one running sum per column), so memory is read in order.
void BoxAlongColumns(Plane& plane, std::vector<std::uint8_t>& scratch, int box) {
  const BoxMean mean(box);
  const int last = plane.height - 1;
  const std::size_t width = plane.Width();
  scratch = plane.values;
  const auto source_row = [&](int y) {
    return scratch.data() + static_cast<std::size_t>(std::clamp(y, 0, last)) * width;
  };
  std::vector<std::uint32_t> sums(width, 0);
  for (int i = -box; i <= box; ++i) {
    const std::uint8_t* row = source_row(i);
    for (std::size_t x = 0; x < width; ++x) sums[x] += row[x];
  }
  for (int y = 0; y < plane.height; ++y) {
    std::uint8_t* out = plane.Row(y);
    const std::uint8_t* entering = source_row(y + box + 1);
    const std::uint8_t* leaving = source_row(y - box);
    for (std::size_t x = 0; x < width; ++x) {
      out[x] = mean(sums[x]);
      sums[x] += entering[x];
      sums[x] -= leaving[x];
    }
  }
}

}  // namespace

Picture Pixelate(PixelView picture, const RectI& area, int cell) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  Picture out(width, height);
  const int columns = (width + cell - 1) / cell;
  std::vector<std::array<std::uint32_t, kChannels>> sums(static_cast<std::size_t>(columns));
  for (int top = 0; top < height; top += cell) {
    const int bottom = std::min(top + cell, height);
    std::fill(sums.begin(), sums.end(), std::array<std::uint32_t, kChannels>{});
    for (int y = top; y < bottom; ++y) {
      const std::uint32_t* row = picture.Row(area.top + y) + area.left;
      for (int x = 0; x < width; ++x) {
        auto& sum = sums[static_cast<std::size_t>(x / cell)];
        for (int c = 0; c < kChannels; ++c)
          sum[static_cast<std::size_t>(c)] += static_cast<std::uint32_t>(Channel(row[x], c));
      }
    }
    for (int column = 0; column < columns; ++column) {
      const int left = column * cell, right = std::min(left + cell, width);
      const auto count = static_cast<std::uint32_t>((right - left) * (bottom - top));
      std::array<std::uint32_t, kChannels> mean = sums[static_cast<std::size_t>(column)];
      for (std::uint32_t& m : mean) m = (m + count / 2) / count;
      const std::uint32_t pixel = PixelFrom(mean);
      for (int y = top; y < bottom; ++y)
        std::fill(&out.at(left, y), &out.at(left, y) + (right - left), pixel);
    }
  }
  return out;
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
  std::array<Plane, kChannels> planes;
  for (int c = 0; c < kChannels; ++c) {
    Plane& plane = planes[static_cast<std::size_t>(c)];
    plane.width = around.right - around.left;
    plane.height = around.bottom - around.top;
    plane.values.resize(plane.Width() * static_cast<std::size_t>(plane.height));
    for (int y = 0; y < plane.height; ++y) {
      const std::uint32_t* row = picture.Row(around.top + y) + around.left;
      std::uint8_t* out = plane.Row(y);
      for (int x = 0; x < plane.width; ++x) out[x] = static_cast<std::uint8_t>(Channel(row[x], c));
    }
  }

  std::vector<std::uint8_t> scratch;
  for (Plane& plane : planes) {
    for (int pass = 0; pass < 3; ++pass) BoxAlongRows(plane, scratch, box);
    for (int pass = 0; pass < 3; ++pass) BoxAlongColumns(plane, scratch, box);
  }

  const int width = area.right - area.left, height = area.bottom - area.top;
  Picture out(width, height);
  for (int y = 0; y < height; ++y) {
    const std::size_t from =
        static_cast<std::size_t>(area.top - around.top + y) * planes[0].Width() +
        static_cast<std::size_t>(area.left - around.left);
    for (int x = 0; x < width; ++x) {
      const std::size_t i = from + static_cast<std::size_t>(x);
      out.at(x, y) = PixelFrom({planes[0].values[i], planes[1].values[i], planes[2].values[i]});
    }
  }
  return out;
}

}  // namespace capture
