#include "platform/types.h"

#include <algorithm>
#include <cmath>

namespace capture {

std::int32_t Round(float value) {
  return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(value)));
}

RectI Union(const RectI& a, const RectI& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

RectI Intersect(const RectI& a, const RectI& b) {
  RectI r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
  return r.Empty() ? RectI{} : r;
}

}  // namespace capture
