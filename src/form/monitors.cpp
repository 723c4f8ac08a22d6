#include "form/monitors.h"

#include <algorithm>
#include <cstdint>

#include "form/capture_form.h"

namespace capture {
namespace {

// Squared distance from the point to the nearest pixel of the area.
std::int64_t DistanceSquared(const RectI& area, PointI p) {
  const std::int64_t dx = std::max({area.left - p.x, 0, p.x - (area.right - 1)});
  const std::int64_t dy = std::max({area.top - p.y, 0, p.y - (area.bottom - 1)});
  return dx * dx + dy * dy;
}

// The shift along one axis that brings [low, high) inside [start, end); the start wins.
float AxisOffset(float low, float high, float start, float end) {
  float offset = 0;
  if (high > end) offset = end - high;
  if (low + offset < start) offset = start - low;
  return offset;
}

}  // namespace

const Monitor& MonitorAt(const std::vector<Monitor>& monitors, PointI point) {
  return *std::min_element(monitors.begin(), monitors.end(),
                           [point](const Monitor& a, const Monitor& b) {
                             return DistanceSquared(a.area, point) < DistanceSquared(b.area, point);
                           });
}

const Monitor& SelectionMonitor(const CaptureForm& form) {
  const RectI selection = form.SelectionRect();
  // The corner's own pixel: right and bottom are exclusive.
  const PointI corner{std::max(selection.left, selection.right - 1),
                      std::max(selection.top, selection.bottom - 1)};
  return MonitorAt(form.Monitors(), corner);
}

PointF OffsetInto(float left, float top, float right, float bottom, const RectI& area) {
  return {AxisOffset(left, right, static_cast<float>(area.left), static_cast<float>(area.right)),
          AxisOffset(top, bottom, static_cast<float>(area.top), static_cast<float>(area.bottom))};
}

void KeepInside(Control& control, PointF size, const RectI& area) {
  // Edges are set, not shifted by an offset, so that a pinned edge is exactly the area's.
  const auto right = static_cast<float>(area.right), bottom = static_cast<float>(area.bottom);
  if (control.left + size.x > right) control.left = right - size.x;
  if (control.left < static_cast<float>(area.left)) control.left = static_cast<float>(area.left);
  if (control.top + size.y > bottom) control.top = bottom - size.y;
  if (control.top < static_cast<float>(area.top)) control.top = static_cast<float>(area.top);
}

}  // namespace capture
