#include "form/monitors.h"

#include <algorithm>
#include <cstdint>

namespace capture {
namespace {

// Squared distance from the point to the nearest pixel of the area.
std::int64_t DistanceSquared(const RectI& area, PointI p) {
  const std::int64_t dx = std::max({area.left - p.x, 0, p.x - (area.right - 1)});
  const std::int64_t dy = std::max({area.top - p.y, 0, p.y - (area.bottom - 1)});
  return dx * dx + dy * dy;
}

}  // namespace

const Monitor& MonitorAt(const std::vector<Monitor>& monitors, PointI point) {
  return *std::min_element(monitors.begin(), monitors.end(),
                           [point](const Monitor& a, const Monitor& b) {
                             return DistanceSquared(a.area, point) < DistanceSquared(b.area, point);
                           });
}

}  // namespace capture
