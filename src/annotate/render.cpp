#include "annotate/render.h"

#include <cmath>
#include <utility>

#include "annotate/freehand.h"
#include "annotate/mosaic.h"
#include "annotate/shape_tools.h"
#include "annotate/step_disc.h"
#include "form/history.h"
#include "platform/surface.h"

namespace capture {
namespace {

constexpr float kArrowHead = 10;

PointF PointAt(const Mark& mark, std::size_t i) {
  return i < mark.points.size() ? mark.points[i] : PointF{};
}

// A mosaic's hidden area: kept from the last time it lay on the same marks, else made from what
// the surface holds beneath it now.
void DrawMosaic(Surface& surface, const Mark& mark, std::uint64_t under) {
  const RectI area = Intersect(mark.area, mark.clip);
  if (area.Empty()) return;
  if (!mark.rendered || mark.rendered->under != under) {
    MosaicDrag drag(mark.clip, mark.mosaic);
    mark.rendered =
        std::make_shared<const RenderedArea>(RenderedArea{under, drag.Hidden(surface, area)});
  }
  surface.Paste(mark.rendered->pixels, area.left, area.top);
}

// Redraws the whole document: the frozen picture, then every mark.
void DrawAll(const Document& document, Surface& surface) {
  surface.ShowFrozen(!document.marks.empty());
  int steps = 0;
  std::uint64_t under = 0;
  for (const MarkPtr& mark : document.marks) {
    if (mark->kind == MarkKind::Step) ++steps;
    DrawMark(surface, *mark, steps, under);
    under = NextUnderKey(under, *mark);
  }
  surface.Commit();
}

bool StartsWith(const Document& document, const Document& start) {
  if (start.marks.size() > document.marks.size()) return false;
  for (std::size_t i = 0; i < start.marks.size(); ++i) {
    if (document.marks[i] != start.marks[i]) return false;
  }
  return true;
}

}  // namespace

void DrawMark(Surface& surface, const Mark& mark, int number, std::uint64_t under) {
  const PointF a = PointAt(mark, 0), b = PointAt(mark, 1);
  switch (mark.kind) {
    case MarkKind::Rectangle:
      return surface.Box(a.x, a.y, b.x, b.y, mark.colour);
    case MarkKind::Ellipse:
      // Always one pixel wide; the corners go to GDI as they are, not sorted.
      return surface.Ellipse(Round(a.x), Round(a.y), Round(b.x), Round(b.y), mark.colour);
    case MarkKind::Arrow:
      return Arrow(surface, a.x, a.y, b.x, b.y, kArrowHead, mark.colour);
    case MarkKind::Pen:
      return surface.FillSpans(StrokeSpans(mark), mark.colour);
    case MarkKind::Highlighter:
      // Tinted once wherever the stroke crosses itself.
      return surface.MultiplySpans(CoveredOnce(StrokeSpans(mark)), HighlighterTint(mark.colour));
    case MarkKind::Mosaic:
      return DrawMosaic(surface, mark, under);
    case MarkKind::Step:
      return DrawStep(surface, mark.clip, a, number, mark.colour, mark.size, mark.dpi);
    case MarkKind::Text:
      surface.SetFontSize(mark.size, mark.dpi);
      return surface.Text(Round(a.x), Round(a.y), mark.text, mark.colour);
  }
}

void ShowDocument(const Document& next, History& history, Surface& surface) {
  const Document& shown = history.Shown();
  surface.EndPreview();
  if (history.PictureStale() || !StartsWith(next, shown)) {
    try {
      DrawAll(next, surface);
      history.SetPictureStale(false);
      return;
    } catch (...) {
      try {
        DrawAll(shown, surface);
        history.SetPictureStale(false);
      } catch (...) {
        history.SetPictureStale(true);
      }
      throw;
    }
  }
  int steps = shown.Steps();
  std::uint64_t under = UnderKey(next.marks, shown.marks.size());
  for (std::size_t i = shown.marks.size(); i < next.marks.size(); ++i) {
    const Mark& mark = *next.marks[i];
    if (mark.kind == MarkKind::Step) ++steps;
    DrawMark(surface, mark, steps, under);
    under = NextUnderKey(under, mark);
  }
  surface.Commit();
}

void AddMark(History& history, Surface& surface, Mark mark) {
  mark.serial = history.NewSerial();
  history.Reserve();  // first: it may move the shown document
  Document next = history.Shown();
  next.marks.push_back(std::make_shared<const Mark>(std::move(mark)));
  ShowDocument(next, history, surface);
  history.Push(std::move(next));
}

}  // namespace capture
