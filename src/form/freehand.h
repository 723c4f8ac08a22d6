// A pen or highlighter stroke while its press lasts: where it has been and what it has covered.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace capture {

struct Freehand {
  RectI clip;   // the selection's pixels at the press: the stroke stays inside them
  float width;  // in picture pixels
  // The press, then each move's pointer pulled onto the selection; never empty.
  std::vector<PointF> points;
  // The preview shows the straight line from the press that Shift asks for, not the path.
  bool straight_shown = false;
  // The highlighter's one coverage: which pixels of `clip` the stroke covers so far (a byte each,
  // row by row), and the same pixels as spans, each pixel in exactly one, so that the whole
  // stroke is tinted once wherever it crosses itself.
  std::vector<std::uint8_t> covered;
  std::vector<Span> tinted;
};

}  // namespace capture
