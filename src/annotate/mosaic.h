// The mosaic tool: a dragged rectangle whose inside is hidden, in cells or blurred.
#pragma once

#include "form/chrome_scale.h"
#include "platform/types.h"

namespace capture {

class Surface;

enum class MosaicKind { Cells, Blur };

// How the mosaic hides, in picture pixels: cells of a size, or a blur whose three boxes each reach
// `blur_box` pixels either side.
struct MosaicStyle {
  MosaicKind kind = MosaicKind::Cells;
  int cell = 8;
  int blur_box = 4;
};

// The blur's box at the DPI of the selection's monitor: 4 pixels at 96 DPI, so that the three
// boxes blur about 12 pixels each way, which leaves text of 9 to 12 points unreadable.
int BlurBox(const ChromeScale& scale);

// The rectangle between the drag's start and its end, in whole pixels and inside the selection.
RectI MosaicArea(const RectI& selection, PointF start, PointF end);

// Hides the area of the picture as the retained image holds it (whatever preview is shown), into
// the retained image or, while a preview is drawn, the window layer: nothing outside the area
// changes. The blur samples the picture around the area, within the selection.
void DrawMosaic(Surface& surface, const RectI& selection, const RectI& area,
                const MosaicStyle& style);

}  // namespace capture
