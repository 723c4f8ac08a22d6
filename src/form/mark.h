// The capture's content as a document: the frozen picture (the surface's, never changed) and an
// ordered list of marks drawn on it, each a plain value shared between the document's versions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/types.h"

namespace capture {

enum class MarkKind { Rectangle, Ellipse, Arrow, Text, Pen, Highlighter, Mosaic, Step };

enum class MosaicKind { Cells, Blur };

// How a mosaic hides, in picture pixels: cells of a size, or a blur whose three boxes each reach
// `blur_box` pixels either side.
struct MosaicStyle {
  MosaicKind kind = MosaicKind::Cells;
  int cell = 8;
  int blur_box = 4;
};

// A mosaic's pixels as last rendered, with what lay beneath it then.
struct RenderedArea {
  std::uint64_t under = 0;  // UnderKeys of the document it was rendered in (annotate/mark_reach.h)
  Picture pixels;           // the hidden area, its top-left at the mark's area's top-left
};

// One mark, as drawn: never changed once made (a change makes a new mark). Which fields a kind
// reads:
// - Rectangle, Ellipse, Arrow: `points` = {press, end} (the arrow's tail and tip), `colour`.
// - Pen, Highlighter: `points` = the path from the press (two points when `straight`), `size` =
//   the stroke's width, `clip`, `colour`.
// - Mosaic: `area` (inside `clip`), `clip` (what the blur may read), `mosaic`.
// - Step: `points` = {the pointer}, `size` = the disc's diameter, `clip` (the disc stays inside
//   it), `dpi`, `colour`; its number is its place among the document's steps.
// - Text: `points` = {top-left}, `text`, `size` = font points, `dpi`, `colour`.
struct Mark {
  MarkKind kind = MarkKind::Rectangle;
  std::vector<PointF> points;
  RectI clip;
  RectI area;
  Colour colour = 0;
  float size = 0;
  int dpi = 96;
  bool straight = false;
  MosaicStyle mosaic;
  std::u16string text;
  // Unique within a run (given by the history): tells the marks of a document apart.
  std::uint64_t serial = 0;
  // A mosaic's output, kept so that showing the document again costs a paste rather than a blur;
  // a memo of the value above, not part of it, so it may be filled in on a shared mark.
  mutable std::shared_ptr<const RenderedArea> rendered;
};

using MarkPtr = std::shared_ptr<const Mark>;

// The marks on the frozen picture, the first drawn first.
struct Document {
  std::vector<MarkPtr> marks;

  // The numbered steps among the marks.
  int Steps() const;
};

}  // namespace capture
