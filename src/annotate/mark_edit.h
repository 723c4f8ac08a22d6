// Editing a drawn mark, as plain geometry on mark values: which mark a press takes, where the
// selected mark's handles stand, and the mark moved, resized or restyled. A result is a new mark;
// the history stores it in place of the old one.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "form/mark.h"
#include "platform/types.h"

namespace capture {

class Surface;

// How far from an outline, an arrow's shaft or a handle a press still takes it: 4 pixels at
// 96 DPI, scaled with the DPI.
float GrabReach(int dpi);

// The place in the document of the topmost mark under the point: on the outline of a rectangle
// or an ellipse or on an arrow's shaft (within GrabReach), anywhere inside a mosaic, a step's
// disc or a text, along a pen or highlighter stroke within its width plus 2 pixels. The surface
// measures texts (its font size is changed).
std::optional<std::size_t> MarkAt(const Document& document, PointF at, int dpi, Surface& surface);

// The box a mark's handles stand on: its points' bounds (a mosaic's area).
struct BoxF {
  float left = 0, top = 0, right = 0, bottom = 0;
};
BoxF MarkBox(const Mark& mark);

// The centres of a mark's handles: eight around its box (in the order of the selection's
// handles) for a rectangle, an ellipse, a mosaic, a pen or highlighter stroke; the tail and the
// tip of an arrow; none for a text or a step, which only move.
std::vector<PointF> MarkHandles(const Mark& mark);
// Which of the mark's handles lies under the point (within GrabReach of its centre).
std::optional<int> MarkHandleAt(const Mark& mark, PointF at, int dpi);

// The mark moved by whole pixels, as near `by` as keeps its box on the picture. Its clip moves
// with it (a stroke or a step stays cut as it was) and is kept on the picture.
Mark Moved(const Mark& mark, PointF by, SizeI picture);
// The mark with handle `handle` dragged to `to` (kept on the picture): the box's edges the
// handle holds follow it, a stroke is stretched with its box, an arrow's end moves. With `shift`
// a corner keeps a rectangle square and an ellipse a circle, and an arrow's end turns to a
// multiple of 45 degrees. The clip grows to hold the new box.
Mark Resized(const Mark& mark, int handle, PointF to, bool shift, SizeI picture);

// The style a mark can take from the style panel. A kind takes what it has: a colour (all but
// the mosaic), a size (pen, highlighter, step, text), a mosaic's kind and cells.
struct MarkStyle {
  Colour colour = 0;
  float size = 0;
  MosaicStyle mosaic;
};
// The mark in the style, or nothing when the style changes nothing it shows.
std::optional<Mark> Restyled(const Mark& mark, const MarkStyle& style);

}  // namespace capture
