#include "shell/saved_areas.h"

#include "platform/pixels.h"

namespace capture::win32 {
namespace {

// Pixels whose room is kept between drawings (16 MB): a preview of any usual size fits, and so does
// a mosaic preview of 1400 x 1400 that a drag changed piece by piece up to twice its area.
constexpr std::size_t kRoomKept = std::size_t{1} << 22;

}  // namespace

void SavedAreas::Keep(const Dib& from, const RectI& area) {
  const RectI r = Intersect(area, from.Area());
  if (r.Empty()) return;
  const int width = r.right - r.left, height = r.bottom - r.top;
  const std::size_t first = pixels_.size();
  pixels_.resize(first + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  CopyPixels(from.View(), r, {pixels_.data() + first, width, height, width}, {0, 0});
  try {
    areas_.push_back({r, first});
  } catch (...) {
    pixels_.resize(first);
    throw;
  }
}

const std::uint32_t* SavedAreas::At(const Area& area, int x, int y) const {
  const auto width = static_cast<std::size_t>(area.rect.right - area.rect.left);
  return pixels_.data() + area.first + static_cast<std::size_t>(y - area.rect.top) * width +
         static_cast<std::size_t>(x - area.rect.left);
}

PixelView SavedAreas::View(const Area& area) const {
  const int width = area.rect.right - area.rect.left;
  return {pixels_.data() + area.first, width, area.rect.bottom - area.rect.top, width};
}

void SavedAreas::PutBack(Dib& to) {
  for (auto it = areas_.rbegin(); it != areas_.rend(); ++it) {
    PastePixels(View(*it), to, it->rect.left, it->rect.top);
  }
  Forget();
}

void SavedAreas::PutBack(Picture& to, const RectI& rect) const {
  for (auto it = areas_.rbegin(); it != areas_.rend(); ++it) {
    const RectI& r = it->rect;
    CopyPixels(View(*it), {0, 0, r.right - r.left, r.bottom - r.top}, PixelTarget::Of(to),
               {r.left - rect.left, r.top - rect.top});
  }
}

const std::uint32_t* SavedAreas::Find(int x, int y) const {
  for (const Area& area : areas_) {
    if (PtInRect(area.rect, x, y)) return At(area, x, y);
  }
  return nullptr;
}

void SavedAreas::Forget() {
  areas_.clear();
  pixels_.clear();
  if (pixels_.capacity() > kRoomKept) std::vector<std::uint32_t>().swap(pixels_);
}

}  // namespace capture::win32
