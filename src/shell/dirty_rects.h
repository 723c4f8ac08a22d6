// Bookkeeping of the areas that changed, so that clearing, committing and repainting cost what
// was drawn rather than the whole screen.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/types.h"

namespace capture::win32 {

// A small set of rectangles whose union covers every changed pixel. Heavily overlapping
// rectangles are merged; past a fixed count the cheapest merges are made, so the set stays small
// while a long thin outline still costs only its edges.
class DirtyRects {
 public:
  static constexpr std::size_t kMaxRects = 32;

  // Adds an area; empty rectangles are ignored.
  void Add(const RectI& rect);
  void Add(const DirtyRects& other);
  void Clear() { rects_.clear(); }
  bool Empty() const { return rects_.empty(); }
  const std::vector<RectI>& Rects() const { return rects_; }
  // The one rectangle around all of them.
  RectI Bounds() const;
  // Pixels covered, counting overlaps more than once.
  long long Area() const;

 private:
  std::vector<RectI> rects_;
};

// Rectangles that together hold every pixel of the outline that GDI's Ellipse draws with a
// one-pixel pen in left, top, right, bottom (unsorted allowed): a band of the height of the
// ellipse is split into slices, and each slice keeps only the stretch near the curve.
std::vector<RectI> EllipseOutlineAreas(int left, int top, int right, int bottom);
// The areas a one-pixel line from (x1, y1) to (x2, y2) may touch. A slanted line is cut into
// bands along its longer axis, each as wide as the line climbs in it plus a pixel either side, so
// that a long arrow costs about its own pixels rather than its bounding box.
std::vector<RectI> LineAreas(int x1, int y1, int x2, int y2);

}  // namespace capture::win32
