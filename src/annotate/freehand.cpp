#include "annotate/freehand.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "annotate/shape_tools.h"
#include "annotate/stroke_geometry.h"
#include "annotate/style_panel.h"
#include "annotate/tool_choices.h"
#include "form/capture_form.h"

namespace capture {
namespace {

std::size_t CoveredIndex(const Freehand& stroke, int x, int y) {
  const auto width = static_cast<std::size_t>(stroke.clip.right - stroke.clip.left);
  return static_cast<std::size_t>(y - stroke.clip.top) * width +
         static_cast<std::size_t>(x - stroke.clip.left);
}

// Adds the pixels of the spans that the stroke does not cover yet to its coverage and to
// `tinted`; the spans lie inside the stroke's clip.
void Cover(Freehand& stroke, const std::vector<Span>& spans) {
  for (const Span& span : spans) {
    int x = span.left;
    while (x < span.right) {
      while (x < span.right && stroke.covered[CoveredIndex(stroke, x, span.y)] != 0) ++x;
      const int from = x;
      while (x < span.right && stroke.covered[CoveredIndex(stroke, x, span.y)] == 0) {
        stroke.covered[CoveredIndex(stroke, x, span.y)] = 1;
        ++x;
      }
      if (from < x) stroke.tinted.push_back({span.y, from, x});
    }
  }
}

// The stroke covers nothing again (before it is drawn anew).
void Uncover(Freehand& stroke) {
  for (const Span& span : stroke.tinted) {
    for (int x = span.left; x < span.right; ++x)
      stroke.covered[CoveredIndex(stroke, x, span.y)] = 0;
  }
  stroke.tinted.clear();
}

// Segment `i` of the path: the dot at the press, then from each point to the next.
void AppendPathSegment(std::vector<Span>& spans, const Freehand& stroke, std::size_t i) {
  const PointF to = stroke.points[i];
  const PointF from = i == 0 ? to : stroke.points[i - 1];
  AppendSegment(spans, from, to, stroke.width, stroke.clip);
}

// Draws the spans in the tool's way: the pen paints them, the highlighter tints the pixels among
// them that it has not tinted yet.
void Draw(const CaptureForm& form, Tool tool, Freehand& stroke, Surface& surface,
          const std::vector<Span>& spans) {
  const Colour colour = CurrentColour(form);
  if (tool == Tool::Pen) return surface.FillSpans(spans, colour);
  const std::size_t first = stroke.tinted.size();
  Cover(stroke, spans);
  surface.MultiplySpans(std::span(stroke.tinted).subspan(first), HighlighterTint(colour));
}

// Draws the whole stroke anew, path or straight line, in one call to the surface.
void DrawWhole(const CaptureForm& form, Tool tool, Freehand& stroke, Surface& surface,
               bool straight) {
  Uncover(stroke);
  std::vector<Span> spans;
  if (straight) {
    AppendSegment(spans, stroke.points.front(), stroke.points.back(), stroke.width, stroke.clip);
  } else {
    for (std::size_t i = 0; i < stroke.points.size(); ++i) AppendPathSegment(spans, stroke, i);
  }
  Draw(form, tool, stroke, surface, spans);
  stroke.straight_shown = straight;
}

}  // namespace

bool IsFreehand(Tool tool) {
  return tool == Tool::Pen || tool == Tool::Highlighter;
}

Colour HighlighterTint(Colour colour) {
  int tint = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int channel = (colour >> shift) & 0xFF;
    tint |= ((channel + 256) / 2) << shift;
  }
  return tint;
}

void StartFreehand(const CaptureForm& form, AnnotateState& annotate, Surface& surface, float x,
                   float y) {
  const bool pen = annotate.choice.tool == Tool::Pen;
  const float width =
      pen ? PenWidth(form, annotate.choices) : HighlighterWidth(form, annotate.choices);
  Freehand& stroke =
      annotate.freehand.emplace(Freehand{form.SelectionRect(), width, {{x, y}}, false, {}, {}});
  if (!pen) {
    const RectI& clip = stroke.clip;
    stroke.covered.assign(static_cast<std::size_t>(clip.right - clip.left) *
                              static_cast<std::size_t>(clip.bottom - clip.top),
                          0);
  }
  std::vector<Span> spans;
  AppendPathSegment(spans, stroke, 0);
  Draw(form, annotate.choice.tool, stroke, surface, spans);
}

void ExtendFreehand(const CaptureForm& form, AnnotateState& annotate, Surface& surface, float x,
                    float y, bool shift) {
  Freehand& stroke = *annotate.freehand;
  stroke.points.push_back(ClampToSelection(form, x, y));
  if (shift || stroke.straight_shown) {
    // The preview changes its kind: it starts afresh, once.
    surface.Preview();
    return DrawWhole(form, annotate.choice.tool, stroke, surface, shift);
  }
  std::vector<Span> spans;
  AppendPathSegment(spans, stroke, stroke.points.size() - 1);
  Draw(form, annotate.choice.tool, stroke, surface, spans);
}

Mark FreehandMark(const CaptureForm& form, const AnnotateState& annotate, float x, float y,
                  bool shift) {
  const Freehand& stroke = *annotate.freehand;
  Mark mark;
  mark.kind = annotate.choice.tool == Tool::Pen ? MarkKind::Pen : MarkKind::Highlighter;
  mark.points = stroke.points;
  mark.points.push_back(ClampToSelection(form, x, y));
  if (shift) mark.points = {mark.points.front(), mark.points.back()};
  mark.straight = shift;
  mark.clip = stroke.clip;
  mark.size = stroke.width;
  mark.colour = CurrentColour(form);
  return mark;
}

std::vector<Span> StrokeSpans(const Mark& mark) {
  std::vector<Span> spans;
  if (mark.points.empty()) return spans;
  if (mark.straight) {
    AppendSegment(spans, mark.points.front(), mark.points.back(), mark.size, mark.clip);
    return spans;
  }
  // The dot at the press, then from each point to the next.
  for (std::size_t i = 0; i < mark.points.size(); ++i) {
    AppendSegment(spans, i == 0 ? mark.points[0] : mark.points[i - 1], mark.points[i], mark.size,
                  mark.clip);
  }
  return spans;
}

std::vector<Span> CoveredOnce(std::vector<Span> spans) {
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.left < b.left; });
  std::vector<Span> merged;
  for (const Span& span : spans) {
    if (span.left >= span.right) continue;
    if (!merged.empty() && merged.back().y == span.y && span.left <= merged.back().right) {
      merged.back().right = std::max(merged.back().right, span.right);
    } else {
      merged.push_back(span);
    }
  }
  return merged;
}

}  // namespace capture
