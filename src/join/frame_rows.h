// A frame of the scrolling area as the seam search reads it: its pixels, the pixels that would
// not settle, and a hash of each row.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/types.h"

namespace capture::join {

// One byte a pixel of a frame, row by row; non-zero where the pixel changed while the frame
// settled (a blinking caret). Empty when every pixel held still.
using Unsteady = std::span<const std::uint8_t>;

// What the search knows of each row, over the columns it compares (the left part of the frame,
// where a scroll bar never is). An unsteady pixel hashes as one fixed value.
struct RowFacts {
  std::vector<std::uint64_t> hash;
  std::vector<std::uint8_t> plain;        // every compared pixel is one colour
  std::vector<std::uint8_t> informative;  // not plain, or unlike the row above: evidence for a seam
  std::vector<std::uint8_t> unsteady;     // holds an unsteady pixel
};

// A frame and its facts; the pixels and the mask are owned elsewhere.
struct FrameRows {
  PixelView pixels;
  Unsteady unsteady;
  const RowFacts* facts = nullptr;

  // Whether pixel (x, y) is to be left out of comparisons.
  bool Shaky(int x, int y) const {
    return !unsteady.empty() &&
           unsteady[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.width) +
                    static_cast<std::size_t>(x)] != 0;
  }
};

// The facts of every row of `frame`, reading columns [0, columns).
RowFacts ReadRows(PixelView frame, Unsteady unsteady, int columns);

// Whether row `a_row` of `a` and row `b_row` of `b` agree on columns [0, columns): the same hash,
// or, when either holds unsteady pixels, the same pixels wherever both are steady.
bool SameRow(const FrameRows& a, int a_row, const FrameRows& b, int b_row, int columns);

}  // namespace capture::join
