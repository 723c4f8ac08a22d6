// The mosaic tool: a dragged rectangle whose inside is hidden, in cells or blurred.
#pragma once

#include "form/chrome_scale.h"
#include "platform/types.h"

namespace capture {

class Surface;

enum class MosaicKind { Cells, Blur };

// What the mosaic tool's panel chose: cells (and their size in design pixels) or a blur.
struct MosaicStyle {
  MosaicKind kind = MosaicKind::Cells;
  float cell = 8;
};

// The blur's boxes reach this far either side, in design pixels: three of them make a blur about
// 12 pixels wide each way, which leaves text of 9 to 12 points unreadable.
inline constexpr float kBlurBox = 4;

// The rectangle between the drag's start and its end, in whole pixels and inside the selection.
RectI MosaicArea(const RectI& selection, PointF start, PointF end);

// Hides the area of the picture as the retained image holds it (whatever preview is shown), into
// the retained image or, while a preview is drawn, the window layer: nothing outside the area
// changes. The blur samples the picture around the area, within the selection. Sizes are design
// pixels shown at the scale's DPI.
void DrawMosaic(Surface& surface, const RectI& selection, const RectI& area,
                const MosaicStyle& style, const ChromeScale& scale);

}  // namespace capture
