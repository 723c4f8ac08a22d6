// Where a mark draws and what it reads: the rectangles a partial redraw restores and draws again,
// and the key a mosaic's kept pixels are checked against.
#pragma once

#include <cstdint>
#include <vector>

#include "form/mark.h"

namespace capture {

// The pixels drawing the mark may change, as one rectangle of the picture: a shape's outline, an
// arrow's head, a stroke's width, a step's disc, a text's glyphs. Never smaller than what is
// drawn; a text's is an estimate from its font size, with room to spare.
RectI Reach(const Mark& mark);
// The pixels a mosaic's rendering reads: its area and what its blur samples around it, inside
// what it may read.
RectI MosaicReads(const Mark& mark);

// For each mark, what lies under it as one number: for a mosaic, its place and style and every
// mark below that reaches into what it reads (its value, a step's number, a mosaic's own key);
// for other kinds 0. Equal keys mean that rendering the mosaic would read the same pixels.
std::vector<std::uint64_t> UnderKeys(const std::vector<MarkPtr>& marks);
// The key of a mosaic laid on top of the marks.
std::uint64_t UnderKeyOnTop(const std::vector<MarkPtr>& marks, const Mark& mosaic);

}  // namespace capture
