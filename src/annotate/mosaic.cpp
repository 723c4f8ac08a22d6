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

int BlurBox(const ChromeScale& scale) {
  constexpr float kBoxAt96 = 4;
  return std::max(1, Round(scale(kBoxAt96)));
}

void DrawMosaic(Surface& surface, const RectI& selection, const RectI& area,
                const MosaicStyle& style) {
  if (area.Empty()) return;
  if (style.kind == MosaicKind::Cells) {
    const Picture under = surface.Copy(area);
    surface.Paste(
        Pixelate(PixelView::Of(under), {0, 0, under.width, under.height}, std::max(1, style.cell)),
        area.left, area.top);
    return;
  }
  const int box = std::max(1, style.blur_box);
  const int reach = 3 * box;
  const RectI around = Intersect(
      {area.left - reach, area.top - reach, area.right + reach, area.bottom + reach}, selection);
  const Picture under = surface.Copy(around);
  const RectI inside{area.left - around.left, area.top - around.top, area.right - around.left,
                     area.bottom - around.top};
  surface.Paste(Blur(PixelView::Of(under), inside, box), area.left, area.top);
}

}  // namespace capture
