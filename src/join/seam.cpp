#include "join/seam.h"

#include <algorithm>
#include <cstddef>

namespace capture::join {

namespace {

std::size_t ToSize(int n) {
  return static_cast<std::size_t>(n);
}

// How one offset fares over the rows the frames share.
struct Fit {
  int mismatched = 0;  // rows that disagree (counting stops once the offset cannot come close)
  int evidence = 0;    // agreeing rows that tell something (not one plain colour like the rows
                       // around them)
  int refilled_from = 0;
};

// Rows of agreement an offset needs per disagreeing row to come close to another: a second
// offset that agrees on all but one row in 64 is content that nearly repeats.
constexpr int kCloseRatio = 64;

Fit FitAt(const FrameRows& earlier, const FrameRows& later, const SeamArea& area, int offset) {
  Fit fit;
  const int first = std::max(area.top, area.top - offset);
  const int last = std::min(area.end, area.end - offset);
  const int limit = (last - first) / kCloseRatio;
  fit.refilled_from = area.end;
  for (int y = first; y < last; ++y) {
    const int e = y + offset;
    if (SameRow(earlier, e, later, y, area.columns)) {
      if (fit.refilled_from == area.end) fit.evidence += later.facts->informative[ToSize(y)];
      continue;
    }
    // A late-filled row: plain in the earlier frame, among the rows that frame brought, and
    // every earlier-frame row below it is one too or agrees.
    if (e >= area.fresh && earlier.facts->plain[ToSize(e)] != 0) {
      fit.refilled_from = std::min(fit.refilled_from, e);
      continue;
    }
    // A disagreeing row below late-filled ones: the rows that filled in were not a tail.
    if (fit.refilled_from != area.end) {
      fit.mismatched = limit + 1;
      break;
    }
    if (++fit.mismatched > limit) break;
  }
  return fit;
}

}  // namespace

int MinimumOverlap(int content_rows) {
  return std::min(content_rows, std::max(8, content_rows / 10));
}

Seam FindSeam(const FrameRows& earlier, const FrameRows& later, const SeamArea& area) {
  const int rows = area.end - area.top;
  const int reach = rows - MinimumOverlap(rows);
  Seam seam;
  int agreeing = 0, close = 0;
  for (int offset = -reach; offset <= reach; ++offset) {
    const Fit fit = FitAt(earlier, later, area, offset);
    if (fit.evidence == 0) continue;
    if (fit.mismatched == 0) {
      ++agreeing;
      seam.offset = offset;
      seam.refilled_from = fit.refilled_from;
    } else if (fit.mismatched * kCloseRatio <= fit.evidence) {
      ++close;
    }
  }
  if (agreeing == 1 && close == 0) {
    seam.kind = Seam::Kind::Found;
  } else {
    seam.kind = agreeing == 0 ? Seam::Kind::Nowhere : Seam::Kind::Twice;
  }
  return seam;
}

}  // namespace capture::join
