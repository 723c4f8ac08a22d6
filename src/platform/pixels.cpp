#include "platform/pixels.h"

#include <algorithm>
#include <cstddef>

namespace capture {

void CopyPixels(PixelView from, const RectI& area, const PixelTarget& to, PointI at) {
  // The area clipped to `from`, then to where it lands in `to`.
  RectI r = Intersect(area, {0, 0, from.width, from.height});
  const int dx = at.x - area.left, dy = at.y - area.top;
  r = Intersect(r, {-dx, -dy, to.width - dx, to.height - dy});
  if (r.Empty()) return;
  const auto count = static_cast<std::size_t>(r.right - r.left);
  for (int y = r.top; y < r.bottom; ++y) {
    std::copy_n(from.Row(y) + r.left, count, to.Row(y + dy) + (r.left + dx));
  }
}

Picture CropPixels(PixelView from, const RectI& area) {
  Picture part(std::max(0, area.right - area.left), std::max(0, area.bottom - area.top));
  CopyPixels(from, area, PixelTarget::Of(part), {0, 0});
  return part;
}

bool SamePixels(PixelView a, PixelView b) {
  if (a.width != b.width || a.height != b.height) return false;
  const auto count = static_cast<std::size_t>(std::max(0, a.width));
  for (int y = 0; y < a.height; ++y) {
    if (!std::equal(a.Row(y), a.Row(y) + count, b.Row(y))) return false;
  }
  return true;
}

}  // namespace capture
