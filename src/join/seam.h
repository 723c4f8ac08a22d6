// Where a new frame of a scrolling area lies against the frame before it.
#pragma once

#include "join/frame_rows.h"

namespace capture::join {

// The rows both frames share: the content between a fixed header and footer, and the columns
// the hashes read.
struct SeamArea {
  int top = 0;      // first content row
  int end = 0;      // one past the last content row
  int columns = 0;  // columns [0, columns) are compared
  // Rows of the earlier frame from here to `end` came into the picture with it; where one of them
  // was plain and the new frame shows something else there, the row filled in late (a list that
  // draws its rows after they scroll in) and is taken from the new frame.
  int fresh = 0;
};

struct Seam {
  enum class Kind {
    Found,    // one offset agrees and no other comes close
    Nowhere,  // no offset agrees
    Twice,    // two offsets agree, or one agrees and another nearly does
  };
  Kind kind = Kind::Nowhere;
  int offset = 0;  // Found: row y of the new frame shows what row y + offset of the earlier did
  int refilled_from = 0;  // Found: earlier rows from here to `end` are taken from the new frame
};

// Fewest rows two frames must share for a seam between them to count.
int MinimumOverlap(int content_rows);

// Searches every offset that leaves the frames at least MinimumOverlap rows in common, by row
// hashes; the chosen offset is not yet confirmed pixel by pixel.
Seam FindSeam(const FrameRows& earlier, const FrameRows& later, const SeamArea& area);

}  // namespace capture::join
