// The mosaic tool: a dragged rectangle whose inside is hidden, in cells or blurred.
#pragma once

#include <cstdint>
#include <vector>

#include "form/chrome_scale.h"
#include "form/mark.h"
#include "platform/types.h"

namespace capture {

class Surface;

// The blur's box at the DPI of the selection's monitor: 4 pixels at 96 DPI, so that the three
// boxes blur about 12 pixels each way, which leaves text of 9 to 12 points unreadable.
int BlurBox(const ChromeScale& scale);

// The rectangle between the drag's start and its end, in whole pixels and inside the selection.
RectI MosaicArea(const RectI& selection, PointF start, PointF end);

// A mosaic drag while its press lasts, which hides an area of the picture as the retained image
// holds it (the picture at the press, which must not change while the drag lasts) on each move and
// at the release. A move costs what it changes, not the whole area:
// - The blur of a pixel depends on the picture around it within the selection only, not on the
//   area it lies in, so the blur of every tile of the selection the drag reaches is computed once,
//   and a move shows only the pixels its area adds.
// - Cells are aligned to the area's top-left: while that stays, a move shows only the cells its
//   area adds or cuts differently; when it moves, every cell is computed and shown again.
class MosaicDrag {
 public:
  MosaicDrag(const RectI& selection, const MosaicStyle& style);
  // Shows the area, cut to the selection, hidden in the window layer. Changes only what differs
  // from the area shown by the last call, so the window layer must not have been put back since
  // then (the first call follows Preview()).
  void Preview(Surface& surface, const RectI& area);
  // Hides the area, cut to the selection, in the retained image (after EndPreview()): nothing
  // outside the area changes.
  void Draw(Surface& surface, const RectI& area);
  // The pixels that Draw would paste for an area inside the selection, its top-left at the
  // area's; the surface is left as it is.
  Picture Hidden(const Surface& surface, const RectI& area);

 private:
  RectI TileRect(int column, int row) const;
  Picture& Tile(int column, int row);
  // Blurs the tiles from `first` to `last` (included) of a row in one go.
  void BlurTiles(const Surface& surface, int row, int first, int last);
  // Pastes the part of `area` hidden; for cells the part starts on a cell of the area.
  void Hide(Surface& surface, const RectI& part);
  // Makes `hidden_` the part hidden, as Hide pastes it.
  void HideInto(const Surface& surface, const RectI& part);

  RectI selection_;
  MosaicStyle style_;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<Picture> tiles_;  // blurred, row by row; empty until a drawing needs them
  // Kept from one drawing to the next so that a move allocates no picture.
  Picture under_;
  Picture hidden_;
  // The area the window layer shows hidden, and the pixels pasted since it was last shown whole.
  RectI shown_;
  std::int64_t pasted_ = 0;
};

}  // namespace capture
