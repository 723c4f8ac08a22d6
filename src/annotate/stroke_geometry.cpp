#include "annotate/stroke_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace capture {
namespace {

// A stretch of x values; empty when lo > hi.
struct Interval {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -std::numeric_limits<double>::infinity();

  bool Empty() const { return lo > hi; }
  Interval Meet(const Interval& o) const { return {std::max(lo, o.lo), std::min(hi, o.hi)}; }
  Interval Join(const Interval& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    return {std::min(lo, o.lo), std::max(hi, o.hi)};
  }
};

constexpr double kAll = std::numeric_limits<double>::infinity();

// The x where c * (x - x0) + k lies within [from, to].
Interval Within(double c, double x0, double k, double from, double to) {
  if (std::abs(c) < 1e-12) return from <= k && k <= to ? Interval{-kAll, kAll} : Interval{};
  const double a = (from - k) / c + x0, b = (to - k) / c + x0;
  return {std::min(a, b), std::max(a, b)};
}

// The x on the row at height y within r of the point.
Interval DiscRow(double px, double py, double r, double y) {
  const double dy = y - py;
  if (dy * dy > r * r) return {};
  const double half = std::sqrt(r * r - dy * dy);
  return {px - half, px + half};
}

}  // namespace

void AppendSegment(std::vector<Span>& spans, PointF a, PointF b, float width, const RectI& clip) {
  // A hair more than half the width, so that centres exactly on the edge are in whatever the
  // rounding of the arithmetic.
  const double r = width / 2.0 + 1e-9;
  const double ax = a.x, ay = a.y, bx = b.x, by = b.y;
  const double dx = bx - ax, dy = by - ay, length = std::hypot(dx, dy);
  const double ux = length > 0 ? dx / length : 0, uy = length > 0 ? dy / length : 0;

  const int first = std::max(clip.top, static_cast<int>(std::floor(std::min(ay, by) - r - 0.5)));
  const int last = std::min(clip.bottom - 1, static_cast<int>(std::ceil(std::max(ay, by) + r)));
  for (int y = first; y <= last; ++y) {
    const double cy = y + 0.5;
    Interval row = DiscRow(ax, ay, r, cy).Join(DiscRow(bx, by, r, cy));
    if (length > 0) {
      // The body: along the segment between its ends, and within r across it.
      const Interval along = Within(ux, ax, (cy - ay) * uy, 0, length);
      const Interval across = Within(-uy, ax, (cy - ay) * ux, -r, r);
      row = row.Join(along.Meet(across));
    }
    if (row.Empty()) continue;
    // Pixels whose centre x + 0.5 lies in the row's stretch.
    const int left = std::max(clip.left, static_cast<int>(std::ceil(row.lo - 0.5)));
    const int right = std::min(clip.right, static_cast<int>(std::floor(row.hi - 0.5)) + 1);
    if (left < right) spans.push_back({y, left, right});
  }
}

PointF SquareEnd(PointF start, PointF end) {
  const float dx = end.x - start.x, dy = end.y - start.y;
  const float side = std::max(std::abs(dx), std::abs(dy));
  return {start.x + std::copysign(side, dx), start.y + std::copysign(side, dy)};
}

PointF SnappedEnd(PointF start, PointF end, PointF low, PointF high) {
  const float dx = end.x - start.x, dy = end.y - start.y;
  const float ax = std::abs(dx), ay = std::abs(dy);
  // Within 22.5 degrees of an axis the arrow lies along it; otherwise on a diagonal, as far along
  // it as the drag reaches.
  constexpr float kTan22_5 = 0.41421356f;
  float vx = 0, vy = 0;
  if (ay <= kTan22_5 * ax) {
    vx = dx;
  } else if (ax <= kTan22_5 * ay) {
    vy = dy;
  } else {
    const float along = (ax + ay) / 2;
    vx = std::copysign(along, dx);
    vy = std::copysign(along, dy);
  }
  // The largest share of the step that stays on the bounds, the same for both axes so that the
  // angle holds.
  float share = 1;
  auto limit = [&share](float from, float step, float least, float most) {
    if (step > 0 && from + step > most) share = std::min(share, (most - from) / step);
    if (step < 0 && from + step < least) share = std::min(share, (least - from) / step);
  };
  limit(start.x, vx, low.x, high.x);
  limit(start.y, vy, low.y, high.y);
  share = std::max(share, 0.f);
  return {start.x + vx * share, start.y + vy * share};
}

}  // namespace capture
