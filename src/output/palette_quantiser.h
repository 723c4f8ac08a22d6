// Reduces a picture to a palette of at most 256 colours chosen for that picture, for GIF.
#pragma once

#include "platform/gdiplus.h"
#include "platform/types.h"

namespace capture {

// The picture as palette indices with a palette of at most `max_colours` (1 to 256) entries.
// A picture with no more distinct colours than that is kept exactly. Otherwise the palette is
// found by a variance-minimising median cut over a 6-bit-per-channel histogram, refined by two
// rounds of k-means, and every pixel takes its nearest palette colour (no dithering).
IndexedPicture QuantisePicture(const Picture& picture, int max_colours = 256);

}  // namespace capture
