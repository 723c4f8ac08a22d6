// The two ways the mosaic tool hides an area of the picture: cells of one mean colour, and a blur.
// Both read the picture around the area as given and return only the area's new pixels, so nothing
// outside it can change.
#pragma once

#include "platform/types.h"

namespace capture {

// The area's pixels in square cells `cell` pixels wide, counted from the area's top-left; each
// cell (the last ones of a row or a column cut off by the area's edge) is the rounded mean colour
// of the pixels it covers. `area` lies inside `picture`; `cell` is at least 1.
Picture Pixelate(PixelView picture, const RectI& area, int cell);
// The same into `out`, which takes the area's size and keeps its room.
void Pixelate(PixelView picture, const RectI& area, int cell, Picture& out);

// The area's pixels blurred by three box passes each way, each box `box` pixels either side of its
// middle: a Gaussian-like blur that reaches 3 * box pixels, whose cost grows with the area only.
// It samples the picture around the area too, holding the picture's edge pixels beyond its edges,
// so the blur has no seam at the area's border. `area` lies inside `picture`; `box` is at least 1.
Picture Blur(PixelView picture, const RectI& area, int box);

}  // namespace capture
