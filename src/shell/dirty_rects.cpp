#include "shell/dirty_rects.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace capture::win32 {
namespace {

long long AreaOf(const RectI& r) {
  return r.Empty() ? 0 : static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

bool Contains(const RectI& outer, const RectI& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

void DirtyRects::Add(const RectI& rect) {
  if (rect.Empty()) return;
  RectI r = rect;
  // Absorb every rectangle that overlaps the new one so much that keeping both costs more than
  // their union; repeat, since a grown rectangle may now absorb others.
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < rects_.size(); ++i) {
      const RectI& e = rects_[i];
      if (Contains(e, r)) return;
      const RectI u = Union(e, r);
      if (AreaOf(u) <= AreaOf(e) + AreaOf(r)) {
        r = u;
        rects_.erase(rects_.begin() + static_cast<std::ptrdiff_t>(i));
        merged = true;
        break;
      }
    }
  }
  if (rects_.size() >= kMaxRects) {
    // Full: merge into the rectangle that grows least.
    std::size_t best = 0;
    long long best_growth = -1;
    for (std::size_t i = 0; i < rects_.size(); ++i) {
      const long long growth = AreaOf(Union(rects_[i], r)) - AreaOf(rects_[i]);
      if (best_growth < 0 || growth < best_growth) {
        best = i;
        best_growth = growth;
      }
    }
    const RectI u = Union(rects_[best], r);
    rects_.erase(rects_.begin() + static_cast<std::ptrdiff_t>(best));
    Add(u);
    return;
  }
  rects_.push_back(r);
}

void DirtyRects::Add(const DirtyRects& other) {
  for (const RectI& r : other.rects_) Add(r);
}

RectI DirtyRects::Bounds() const {
  RectI b;
  for (const RectI& r : rects_) b = Union(b, r);
  return b;
}

long long DirtyRects::Area() const {
  long long total = 0;
  for (const RectI& r : rects_) total += AreaOf(r);
  return total;
}

std::vector<RectI> EllipseOutlineAreas(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const RectI whole{left, top, right, bottom};
  const int width = right - left, height = bottom - top;
  constexpr int kSlices = 16, kSmall = 32;
  if (width < kSmall || height < kSmall) return {whole};

  const double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
  const double rx = (width - 1) / 2.0, ry = (height - 1) / 2.0;
  // Half the outline's width at a vertical distance d from the centre.
  auto half_width = [&](double d) {
    const double t = std::min(1.0, std::abs(d) / ry);
    return rx * std::sqrt(1.0 - t * t);
  };
  // The pen and the rasteriser may stray a pixel or two from the ideal curve.
  constexpr int kSlack = 2;
  const int slice = (height + kSlices - 1) / kSlices;
  std::vector<RectI> areas;
  for (int y0 = top; y0 < bottom; y0 += slice) {
    const int y1 = std::min(bottom, y0 + slice);
    // Distances from the centre of the rows in this slice, widened by a row each way: a row's
    // outline pixels join the curve to its neighbours' rows.
    const double d_first = y0 - 1 - cy, d_last = y1 - cy;
    const double d_near =
        (d_first <= 0 && d_last >= 0) ? 0 : std::min(std::abs(d_first), std::abs(d_last));
    const double d_far = std::max(std::abs(d_first), std::abs(d_last));
    const int outer = static_cast<int>(std::ceil(half_width(d_near))) + kSlack;
    const int inner = static_cast<int>(std::floor(half_width(d_far))) - kSlack;
    const int lo = static_cast<int>(std::floor(cx)) - outer;
    const int hi = static_cast<int>(std::ceil(cx)) + outer + 1;
    if (inner <= 0) {
      areas.push_back(Intersect({lo, y0, hi, y1}, whole));
      continue;
    }
    areas.push_back(Intersect({lo, y0, static_cast<int>(std::ceil(cx)) - inner + 1, y1}, whole));
    areas.push_back(Intersect({static_cast<int>(std::floor(cx)) + inner, y0, hi, y1}, whole));
  }
  return areas;
}

std::vector<RectI> LineAreas(int x1, int y1, int x2, int y2) {
  constexpr int kBand = 64;
  const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
  if (std::min(dx, dy) <= 2 || std::max(dx, dy) <= kBand) {
    return {{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1}};
  }
  const bool along_x = dx >= dy;
  int a1 = along_x ? x1 : y1, b1 = along_x ? y1 : x1;
  int a2 = along_x ? x2 : y2, b2 = along_x ? y2 : x2;
  if (a1 > a2) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  const double slope = static_cast<double>(b2 - b1) / (a2 - a1);
  std::vector<RectI> areas;
  for (int a = a1; a <= a2; a += kBand) {
    const int last = std::min(a + kBand - 1, a2);
    const double from = b1 + (a - a1) * slope, to = b1 + (last - a1) * slope;
    const int low = static_cast<int>(std::floor(std::min(from, to))) - 1;
    const int high = static_cast<int>(std::ceil(std::max(from, to))) + 2;
    areas.push_back(along_x ? RectI{a, low, last + 1, high} : RectI{low, a, high, last + 1});
  }
  return areas;
}

}  // namespace capture::win32
