// The pictures the window paints for its image controls: toolbar and font-size icons, the resize
// handle and the three looks of the font-size combo look-alike.
#pragma once

#include <cstdint>
#include <vector>

#include "form/controls.h"

namespace capture {

// A small picture with straight (not premultiplied) alpha; each pixel is 0xAARRGGBB.
struct Icon {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};

// The picture for an Art value drawn for a monitor of the given DPI (at 192 a 16 x 16 icon is
// drawn as 32 x 32), drawn once and kept; Art::None gives an empty icon.
const Icon& ArtIcon(Art art, int dpi = 96);

}  // namespace capture
