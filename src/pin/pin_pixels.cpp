#include "pin/pin_pixels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace capture::pin {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// The shadow's alpha at `distance` pixels outside the outline (1 is the first shadow pixel),
// falling off softly to nothing at `reach`.
std::uint32_t ShadowAt(double distance, int reach) {
  const double left = 1.0 - (distance - 1.0) / reach;
  if (left <= 0) return 0;
  return static_cast<std::uint32_t>(std::lround(kShadowAlpha * left * left)) << 24;
}

// The source span [first, last) that target pixel `i` of `target` pixels covers in `source`.
struct Span {
  int first, last;
};
Span Covered(int i, int target, int source) {
  const auto first = static_cast<int>(static_cast<long long>(i) * source / target);
  const auto last = static_cast<int>(static_cast<long long>(i + 1) * source / target);
  return {first, std::max(first + 1, last)};
}

void DrawNearest(PixelView picture, const Target& target) {
  std::vector<int> column(static_cast<std::size_t>(target.width));
  for (int x = 0; x < target.width; ++x) {
    column[static_cast<std::size_t>(x)] =
        static_cast<int>(static_cast<long long>(x) * picture.width / target.width);
  }
  for (int y = 0; y < target.height; ++y) {
    const std::uint32_t* from =
        picture.Row(static_cast<int>(static_cast<long long>(y) * picture.height / target.height));
    std::uint32_t* to = target.Row(y);
    for (int x = 0; x < target.width; ++x) {
      to[x] = kOpaque | from[column[static_cast<std::size_t>(x)]];
    }
  }
}

void DrawAveraged(PixelView picture, const Target& target) {
  for (int y = 0; y < target.height; ++y) {
    const Span rows = Covered(y, target.height, picture.height);
    std::uint32_t* to = target.Row(y);
    for (int x = 0; x < target.width; ++x) {
      const Span columns = Covered(x, target.width, picture.width);
      std::uint64_t r = 0, g = 0, b = 0;
      for (int sy = rows.first; sy < rows.last; ++sy) {
        const std::uint32_t* from = picture.Row(sy);
        for (int sx = columns.first; sx < columns.last; ++sx) {
          r += (from[sx] >> 16) & 0xFFu;
          g += (from[sx] >> 8) & 0xFFu;
          b += from[sx] & 0xFFu;
        }
      }
      const auto n = static_cast<std::uint64_t>(rows.last - rows.first) *
                     static_cast<std::uint64_t>(columns.last - columns.first);
      const auto mean = [n](std::uint64_t sum) {
        return static_cast<std::uint32_t>((sum + n / 2) / n);
      };
      to[x] = kOpaque | (mean(r) << 16) | (mean(g) << 8) | mean(b);
    }
  }
}

}  // namespace

namespace {

// The outline's rectangle, inclusive of its own pixels.
struct Outline {
  int left, top, right, bottom;
};

// A pixel of the frame: the outline on its rectangle, the shadow beyond it fading with the
// distance.
std::uint32_t FramePixel(const Outline& outline, int x, int y, int reach) {
  const int dx = x < outline.left ? outline.left - x : (x > outline.right ? x - outline.right : 0);
  const int dy = y < outline.top ? outline.top - y : (y > outline.bottom ? y - outline.bottom : 0);
  return dx == 0 && dy == 0 ? kOutline : ShadowAt(std::hypot(dx, dy), reach);
}

}  // namespace

void DrawFrame(const Target& window, int margin) {
  const Outline outline{margin - 1, margin - 1, window.width - margin, window.height - margin};
  const int reach = margin - 1;
  for (int y = 0; y < window.height; ++y) {
    std::uint32_t* row = window.Row(y);
    const bool row_inside = outline.top < y && y < outline.bottom;
    for (int x = 0; x < window.width; ++x) {
      if (row_inside && outline.left < x && x < outline.right) {
        x = outline.right - 1;  // the picture's pixels are not the frame's
        continue;
      }
      row[x] = FramePixel(outline, x, y, reach);
    }
  }
}

void DrawPicture(PixelView picture, const Target& target) {
  if (picture.width <= 0 || picture.height <= 0 || target.width <= 0 || target.height <= 0) return;
  if (target.width >= picture.width && target.height >= picture.height) {
    DrawNearest(picture, target);
  } else {
    DrawAveraged(picture, target);
  }
}

}  // namespace capture::pin
