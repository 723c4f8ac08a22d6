#include "annotate/mosaic.h"

#include <algorithm>

#include "annotate/area_effects.h"
#include "platform/pixels.h"
#include "platform/surface.h"

namespace capture {
namespace {

// The side of the blur's tiles: big enough that the picture around a tile that its blur reads
// adds little, small enough that a move which reaches a new row or column of tiles blurs little.
constexpr int kTile = 128;

// The area of the retained image blurred, sampling the selection around it.
Picture Blurred(const Surface& surface, const RectI& selection, const RectI& area, int box) {
  const int reach = 3 * box;
  const RectI around = Intersect(
      {area.left - reach, area.top - reach, area.right + reach, area.bottom + reach}, selection);
  const Picture under = surface.Copy(around);
  const RectI inside{area.left - around.left, area.top - around.top, area.right - around.left,
                     area.bottom - around.top};
  return Blur(PixelView::Of(under), inside, box);
}

// Copies the part of `from` (whose top-left lies at `from_at`) that `part` covers into `to`
// (whose top-left lies at `to_at`); `part` lies in both.
void CopyPart(const Picture& from, PointI from_at, Picture& to, PointI to_at, const RectI& part) {
  const RectI in_from{part.left - from_at.x, part.top - from_at.y, part.right - from_at.x,
                      part.bottom - from_at.y};
  CopyPixels(PixelView::Of(from), in_from, PixelTarget::Of(to),
             {part.left - to_at.x, part.top - to_at.y});
}

std::int64_t PixelsOf(const RectI& r) {
  return r.Empty() ? 0 : static_cast<std::int64_t>(r.right - r.left) * (r.bottom - r.top);
}

// The pixels of `outer` outside `inner` (inside it, or empty) as up to four rectangles: the bands
// above and below, and the pieces left and right between them.
std::vector<RectI> Outside(const RectI& outer, const RectI& inner) {
  if (inner.Empty()) return {outer};
  std::vector<RectI> parts;
  for (const RectI& part : {RectI{outer.left, outer.top, outer.right, inner.top},
                            RectI{outer.left, inner.bottom, outer.right, outer.bottom},
                            RectI{outer.left, inner.top, inner.left, inner.bottom},
                            RectI{inner.right, inner.top, outer.right, inner.bottom}}) {
    if (!part.Empty()) parts.push_back(part);
  }
  return parts;
}

}  // namespace

RectI MosaicArea(const RectI& selection, PointF start, PointF end) {
  const int x1 = Round(start.x), y1 = Round(start.y), x2 = Round(end.x), y2 = Round(end.y);
  return Intersect({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)},
                   selection);
}

int BlurBox(const ChromeScale& scale) {
  constexpr float kBoxAt96 = 4;
  return std::max(1, Round(scale(kBoxAt96)));
}

MosaicDrag::MosaicDrag(const RectI& selection, const MosaicStyle& style)
    : selection_(selection),
      style_(style),
      columns_((selection.right - selection.left + kTile - 1) / kTile),
      rows_((selection.bottom - selection.top + kTile - 1) / kTile),
      tiles_(selection.Empty()
                 ? 0
                 : static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

RectI MosaicDrag::TileRect(int column, int row) const {
  const int left = selection_.left + column * kTile, top = selection_.top + row * kTile;
  return Intersect({left, top, left + kTile, top + kTile}, selection_);
}

Picture& MosaicDrag::Tile(int column, int row) {
  return tiles_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                static_cast<std::size_t>(column)];
}

void MosaicDrag::BlurTiles(const Surface& surface, int row, int first, int last) {
  const RectI run = Union(TileRect(first, row), TileRect(last, row));
  const Picture blurred = Blurred(surface, selection_, run, std::max(1, style_.blur_box));
  for (int column = first; column <= last; ++column) {
    const RectI tile = TileRect(column, row);
    Picture& kept = Tile(column, row);
    kept = Picture(tile.right - tile.left, tile.bottom - tile.top);
    CopyPart(blurred, {run.left, run.top}, kept, {tile.left, tile.top}, tile);
  }
}

void MosaicDrag::Hide(Surface& surface, const RectI& part) {
  HideInto(surface, part);
  surface.Paste(hidden_, part.left, part.top);
}

Picture MosaicDrag::Hidden(const Surface& surface, const RectI& area) {
  const RectI inside = Intersect(area, selection_);
  if (inside.Empty()) return {};
  HideInto(surface, inside);
  return hidden_;
}

void MosaicDrag::HideInto(const Surface& surface, const RectI& part) {
  if (style_.kind == MosaicKind::Cells) {
    surface.CopyInto(part, under_);
    return Pixelate(PixelView::Of(under_), {0, 0, under_.width, under_.height},
                    std::max(1, style_.cell), hidden_);
  }
  const int first_column = (part.left - selection_.left) / kTile;
  const int last_column = (part.right - 1 - selection_.left) / kTile;
  const int first_row = (part.top - selection_.top) / kTile;
  const int last_row = (part.bottom - 1 - selection_.top) / kTile;
  hidden_.Resize(part.right - part.left, part.bottom - part.top);
  for (int row = first_row; row <= last_row; ++row) {
    const auto missing = [&](int c) { return Tile(c, row).pixels.empty(); };
    // The tiles not blurred yet, each run of neighbours in one go.
    int column = first_column;
    while (column <= last_column) {
      int last = column;
      while (last < last_column && missing(column) == missing(last + 1)) ++last;
      if (missing(column)) BlurTiles(surface, row, column, last);
      column = last + 1;
    }
    for (column = first_column; column <= last_column; ++column) {
      const RectI tile = TileRect(column, row);
      CopyPart(Tile(column, row), {tile.left, tile.top}, hidden_, {part.left, part.top},
               Intersect(tile, part));
    }
  }
}

void MosaicDrag::Preview(Surface& surface, const RectI& area) {
  const RectI next = Intersect(area, selection_);
  // What the window layer shows already and stays as it is: for cells, the whole cells both areas
  // share from the same top-left.
  RectI kept = Intersect(next, shown_);
  if (style_.kind == MosaicKind::Cells) {
    const int cell = std::max(1, style_.cell);
    if (kept.Empty() || next.left != shown_.left || next.top != shown_.top) {
      kept = {};
    } else {
      kept.right = next.left + (kept.right - next.left) / cell * cell;
      kept.bottom = next.top + (kept.bottom - next.top) / cell * cell;
    }
  }
  // Each paste keeps what it covers, so the surface can take the preview back: a preview pasted
  // in many pieces is put back and shown whole, which keeps that within twice the area. So is one
  // that changes whole, since taking it back costs no more than giving back what it leaves.
  const std::vector<RectI> gone = Outside(shown_, Intersect(shown_, next));
  std::int64_t pasting = PixelsOf(next) - PixelsOf(kept);
  for (const RectI& part : gone) pasting += PixelsOf(part);
  if (kept.Empty() || pasted_ + pasting > 2 * PixelsOf(next)) {
    surface.Preview();
    kept = {};
    pasted_ = PixelsOf(next);
  } else {
    for (const RectI& part : gone) {
      surface.CopyInto(part, under_);
      surface.Paste(under_, part.left, part.top);
    }
    pasted_ += pasting;
  }
  if (!next.Empty()) {
    for (const RectI& part : Outside(next, kept)) Hide(surface, part);
  }
  shown_ = next;
}

void MosaicDrag::Draw(Surface& surface, const RectI& area) {
  shown_ = {};
  pasted_ = 0;
  const RectI inside = Intersect(area, selection_);
  if (!inside.Empty()) Hide(surface, inside);
}

}  // namespace capture
