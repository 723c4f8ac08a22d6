// The pixels a stroke covers, and the constraints Shift puts on a drag: plain geometry for the
// tools.
#pragma once

#include <vector>

#include "platform/types.h"

namespace capture {

// Appends the pixels of a segment `width` wide with round ends, one span per row: every pixel
// whose centre lies within width / 2 of the segment from `a` to `b` (a disc when they are one
// point), cut to `clip`. Pixel (x, y) has its centre at (x + 0.5, y + 0.5).
void AppendSegment(std::vector<Span>& spans, PointF a, PointF b, float width, const RectI& clip);

// With Shift: the end of a drag from `start` to `end` made square, the side the larger of the two
// extents, towards the drag (the caller pulls it back onto the selection).
PointF SquareEnd(PointF start, PointF end);
// With Shift: the end of a drag turned to the nearest multiple of 45 degrees, and shortened
// along that direction until it lies between `low` and `high` (which hold the start).
PointF SnappedEnd(PointF start, PointF end, PointF low, PointF high);

}  // namespace capture
