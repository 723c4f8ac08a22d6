#include "annotate/render.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "annotate/freehand.h"
#include "annotate/mark_reach.h"
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

// Rectangles of the picture to draw again; a rectangle added is merged with every one it
// overlaps, so that what lies in it is drawn in one go.
class Areas {
 public:
  void Add(RectI area) {
    if (area.Empty()) return;
    for (auto it = rects_.begin(); it != rects_.end();) {
      if (Intersect(*it, area).Empty()) {
        ++it;
        continue;
      }
      area = Union(area, *it);
      rects_.erase(it);
      it = rects_.begin();  // the grown one may reach others now
    }
    rects_.push_back(area);
  }
  bool Touches(const RectI& area) const {
    return std::any_of(rects_.begin(), rects_.end(),
                       [&area](const RectI& r) { return !Intersect(r, area).Empty(); });
  }
  bool Holds(const RectI& area) const {
    return area.Empty() || std::any_of(rects_.begin(), rects_.end(), [&area](const RectI& r) {
             return Intersect(r, area) == area;
           });
  }
  const std::vector<RectI>& rects() const { return rects_; }

 private:
  std::vector<RectI> rects_;
};

// Draws the marks from `first` on, each with its number and key.
void DrawFrom(const Document& document, std::size_t first, Surface& surface) {
  const std::vector<std::uint64_t> keys = UnderKeys(document.marks);
  int steps = 0;
  for (std::size_t i = 0; i < document.marks.size(); ++i) {
    const Mark& mark = *document.marks[i];
    if (mark.kind == MarkKind::Step) ++steps;
    if (i >= first) DrawMark(surface, mark, steps, keys[i]);
  }
  surface.Commit();
}

// Redraws the whole document: the frozen picture, then every mark.
void DrawAll(const Document& document, Surface& surface) {
  surface.ShowFrozen(!document.marks.empty());
  DrawFrom(document, 0, surface);
}

int StepsIn(const std::vector<MarkPtr>& marks, std::size_t first, std::size_t last) {
  int steps = 0;
  for (std::size_t i = first; i < last; ++i) steps += marks[i]->kind == MarkKind::Step ? 1 : 0;
  return steps;
}

// Adds the area of every mosaic of `after` shown on another underlay than it lies on now (those
// from `after_end` on, which were at the place `before_end` onwards in the shown document), and
// all that a mosaic reads when it must be rendered again where something is drawn again.
void AddMosaicsToRender(const std::vector<MarkPtr>& after, const std::vector<std::uint64_t>& keys,
                        const std::vector<std::uint64_t>& shown_keys, std::size_t after_end,
                        std::size_t before_end, Areas& areas) {
  for (bool grown = true; grown;) {
    grown = false;
    for (std::size_t i = 0; i < after.size(); ++i) {
      const Mark& mark = *after[i];
      if (mark.kind != MarkKind::Mosaic) continue;
      const RectI reach = Reach(mark);
      // Shown on another underlay: its whole area changes.
      if (i >= after_end && shown_keys[i - after_end + before_end] != keys[i] &&
          !areas.Holds(reach)) {
        areas.Add(reach);
        grown = true;
      }
      const bool kept = mark.rendered && mark.rendered->under == keys[i];
      if (!kept && areas.Touches(reach) && !areas.Holds(MosaicReads(mark))) {
        areas.Add(MosaicReads(mark));
        grown = true;
      }
    }
  }
}

// The areas that differ between the picture of `shown` and that of `next`: where the marks that
// differ are and were, the steps renumbered, and the mosaics whose underlay changed; a mosaic to
// be rendered again gets all it reads in one area.
Areas Changed(const Document& shown, const Document& next, const std::vector<std::uint64_t>& keys) {
  const std::vector<MarkPtr>& before = shown.marks;
  const std::vector<MarkPtr>& after = next.marks;
  const std::size_t common = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < common && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < common - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::size_t before_end = before.size() - suffix, after_end = after.size() - suffix;
  Areas areas;
  for (std::size_t i = prefix; i < before_end; ++i) areas.Add(Reach(*before[i]));
  for (std::size_t i = prefix; i < after_end; ++i) areas.Add(Reach(*after[i]));
  if (StepsIn(before, prefix, before_end) != StepsIn(after, prefix, after_end)) {
    for (std::size_t i = after_end; i < after.size(); ++i) {
      if (after[i]->kind == MarkKind::Step) areas.Add(Reach(*after[i]));
    }
  }
  AddMosaicsToRender(after, keys, UnderKeys(before), after_end, before_end, areas);
  return areas;
}

// Draws again only where the picture of `next` differs from that of `shown`: in each area the
// frozen picture, then every mark that reaches into it, kept inside it.
void DrawChanged(const Document& shown, const Document& next, Surface& surface) {
  const std::vector<std::uint64_t> keys = UnderKeys(next.marks);
  const Areas areas = Changed(shown, next, keys);
  std::vector<RectI> reaches;
  reaches.reserve(next.marks.size());
  for (const MarkPtr& mark : next.marks) reaches.push_back(Reach(*mark));
  const SizeI size = surface.Size();
  for (const RectI& changed : areas.rects()) {
    const RectI area = Intersect(changed, {0, 0, size.width, size.height});
    if (area.Empty()) continue;
    surface.ShowFrozenIn(area);
    int steps = 0;
    for (std::size_t i = 0; i < next.marks.size(); ++i) {
      const Mark& mark = *next.marks[i];
      if (mark.kind == MarkKind::Step) ++steps;
      if (!Intersect(reaches[i], area).Empty()) DrawMark(surface, mark, steps, keys[i]);
    }
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
  if (history.PictureStale() || next.marks.empty()) {
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
  ShowDocumentOver(shown, next, surface);
}

void ShowDocumentOver(const Document& showing, const Document& next, Surface& surface) {
  surface.EndPreview();
  try {
    if (StartsWith(next, showing)) {
      DrawFrom(next, showing.marks.size(), surface);
    } else {
      DrawChanged(showing, next, surface);
    }
  } catch (...) {
    surface.EndPreview();  // nothing was committed: the picture shown before comes back
    throw;
  }
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
