#include "platform/picture_rows.h"

#include <algorithm>

namespace capture {

Picture GatherRows(const PictureRows& rows) {
  if (const Picture* whole = rows.Whole()) return *whole;
  Picture picture(rows.Width(), rows.Height());
  const auto width = static_cast<std::size_t>(picture.width);
  for (int y = 0; y < picture.height; ++y) {
    std::copy_n(rows.Row(y), width,
                picture.pixels.begin() +
                    static_cast<std::ptrdiff_t>(y) * static_cast<std::ptrdiff_t>(width));
  }
  return picture;
}

}  // namespace capture
