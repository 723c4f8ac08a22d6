// Rectangles of pixels copied, cut out and compared: the one copy loop of the core and the shell.
#pragma once

#include "platform/types.h"

namespace capture {

// Copies the pixels of `from` inside `area` (in `from`'s coordinates) into `to`, the area's
// top-left landing at `at`; clipped to both, so a part outside either is left out. The two must
// not overlap.
void CopyPixels(PixelView from, const RectI& area, const PixelTarget& to, PointI at);

// The pixels of `from` inside `area` as a picture of the area's size; what lies outside `from`
// is black.
Picture CropPixels(PixelView from, const RectI& area);

// Whether the two are the same size and hold the same pixels (the stride may differ).
bool SamePixels(PixelView a, PixelView b);

}  // namespace capture
