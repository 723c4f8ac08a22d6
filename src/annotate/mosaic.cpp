#include "annotate/mosaic.h"

#include <algorithm>

#include "annotate/area_effects.h"
#include "platform/surface.h"

namespace capture {

RectI MosaicArea(const RectI& selection, PointF start, PointF end) {
  const int x1 = Round(start.x), y1 = Round(start.y), x2 = Round(end.x), y2 = Round(end.y);
  return Intersect({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)},
                   selection);
}

void DrawMosaic(Surface& surface, const RectI& selection, const RectI& area,
                const MosaicStyle& style, const ChromeScale& scale) {
  if (area.Empty()) return;
  const auto pixels = [&scale](float design) { return std::max(1, Round(scale(design))); };
  if (style.kind == MosaicKind::Cells) {
    const Picture under = surface.Copy(area);
    surface.Paste(
        Pixelate(PixelView::Of(under), {0, 0, under.width, under.height}, pixels(style.cell)),
        area.left, area.top);
    return;
  }
  const int box = pixels(kBlurBox);
  const int reach = 3 * box;
  const RectI around = Intersect(
      {area.left - reach, area.top - reach, area.right + reach, area.bottom + reach}, selection);
  const Picture under = surface.Copy(around);
  const RectI inside{area.left - around.left, area.top - around.top, area.right - around.left,
                     area.bottom - around.top};
  surface.Paste(Blur(PixelView::Of(under), inside, box), area.left, area.top);
}

}  // namespace capture
