#include "annotate/shape_tools.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "annotate/freehand.h"
#include "annotate/mark_reach.h"
#include "annotate/mosaic.h"
#include "annotate/render.h"
#include "annotate/step_disc.h"
#include "annotate/stroke_geometry.h"
#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "annotate/tool_choices.h"
#include "form/capture_form.h"

namespace capture {
namespace {

// The end of the drag: the pointer on the selection, and with Shift square or at 45 degrees.
PointF ShapeEnd(const CaptureForm& form, const AnnotateState& annotate, float x, float y,
                bool shift) {
  const PointF end = ClampToSelection(form, x, y);
  if (!shift) return end;
  const PointF start = annotate.tool_drag.Start();
  const Tool tool = annotate.choice.tool;
  if (tool == Tool::Rectangle || tool == Tool::Ellipse) {
    const PointF square = SquareEnd(start, end);
    return ClampToSelection(form, square.x, square.y);
  }
  if (tool == Tool::Arrow) {
    const Control& selection = form[ControlId::Selection];
    return SnappedEnd(start, end, {selection.left, selection.top},
                      {selection.left + selection.width, selection.top + selection.height});
  }
  return end;
}

// The rectangle the mosaic hides, from the drag's start to `end`.
RectI MosaicAreaTo(const CaptureForm& form, const AnnotateState& annotate, PointF end) {
  return MosaicArea(form.SelectionRect(), annotate.tool_drag.Start(), end);
}

// The mosaic drag of the press, made on its first use.
MosaicDrag& MosaicOf(const CaptureForm& form, AnnotateState& annotate) {
  if (!annotate.mosaic) {
    annotate.mosaic.emplace(form.SelectionRect(), ChosenMosaic(form, annotate.choices));
  }
  return *annotate.mosaic;
}

// The chosen tool's mark from the drag's start to `end`: a rectangle, an ellipse, an arrow or a
// step, which is where the pointer is.
Mark ShapeMark(const CaptureForm& form, const AnnotateState& annotate, PointF end) {
  Mark mark;
  mark.colour = CurrentColour(form);
  mark.points = {annotate.tool_drag.Start(), end};
  switch (annotate.choice.tool) {
    case Tool::Ellipse:
      mark.kind = MarkKind::Ellipse;
      break;
    case Tool::Arrow:
      mark.kind = MarkKind::Arrow;
      break;
    case Tool::Steps:
      mark.kind = MarkKind::Step;
      mark.points = {end};
      mark.clip = form.SelectionRect();
      mark.size = StepDiameter(form, annotate.choices);
      mark.dpi = form.controls.scale.dpi;
      break;
    default:
      mark.kind = MarkKind::Rectangle;
      break;
  }
  return mark;
}

bool DrawsShape(Tool tool) {
  return tool == Tool::Rectangle || tool == Tool::Ellipse || tool == Tool::Arrow ||
         tool == Tool::Steps;
}

// Previews the chosen tool's shape from the drag's start to `end`; a step is the next number after
// those on the document shown.
void PreviewShapeTo(const CaptureForm& form, const AnnotateState& annotate, Surface& surface,
                    PointF end) {
  if (!DrawsShape(annotate.choice.tool)) return;
  DrawMark(surface, ShapeMark(form, annotate, end), form.history.Shown().Steps() + 1, 0);
}

// The mosaic of the drag as a mark, with the pixels the drag has hidden kept for it.
Mark MosaicMark(const CaptureForm& form, AnnotateState& annotate, Surface& surface, PointF end) {
  Mark mark;
  mark.kind = MarkKind::Mosaic;
  mark.clip = form.SelectionRect();
  mark.area = MosaicAreaTo(form, annotate, end);
  mark.mosaic = ChosenMosaic(form, annotate.choices);
  mark.rendered = std::make_shared<const RenderedArea>(
      RenderedArea{UnderKeyOnTop(form.history.Shown().marks, mark),
                   MosaicOf(form, annotate).Hidden(surface, mark.area)});
  return mark;
}

}  // namespace

// The pointer pulled back onto the selection, so that no shape reaches outside it.
PointF ClampToSelection(const CaptureForm& form, float x, float y) {
  const Control& selection = form[ControlId::Selection];
  // A selection dragged past the screen's edge reaches beyond the picture; no mark does.
  x = std::clamp(x, 0.f, form.ScreenWidth());
  y = std::clamp(y, 0.f, form.ScreenHeight());
  const float right = selection.left + selection.width;
  const float bottom = selection.top + selection.height;
  PointF end{x, y};
  if (right < x) {
    end.x = right;
  } else if (x < selection.left) {
    end.x = selection.left;
  }
  if (bottom < y) {
    end.y = bottom;
  } else if (y < selection.top) {
    end.y = selection.top;
  }
  return end;
}

void StartShape(const CaptureForm& form, AnnotateState& annotate, Surface& surface, float x,
                float y) {
  if (!form[ControlId::Selection].StrictlyContains(x, y)) return;
  // On the picture too: a selection dragged past the screen's edge reaches beyond it.
  const PointF at = ClampToSelection(form, x, y);
  x = at.x;
  y = at.y;
  annotate.tool_drag.Begin(at);
  annotate.mosaic.reset();
  surface.Preview();  // nothing is drawn into the picture until the release
  if (IsFreehand(annotate.choice.tool)) StartFreehand(form, annotate, surface, x, y);
  // The step shows from the press.
  if (annotate.choice.tool == Tool::Steps) PreviewShapeTo(form, annotate, surface, {x, y});
}

void PreviewShape(const CaptureForm& form, AnnotateState& annotate, Surface& surface, float x,
                  float y, bool shift) {
  // After the text tool's release the open box keeps the stroke alive, with nothing to preview:
  // the picture stays the one drawing goes into.
  if (form[ControlId::TextBox].visible) return;
  if (annotate.freehand) return ExtendFreehand(form, annotate, surface, x, y, shift);
  if (annotate.choice.tool == Tool::Mosaic) {
    // Changes only what the move changes: the preview is not taken back first.
    const PointF end = ShapeEnd(form, annotate, x, y, shift);
    return MosaicOf(form, annotate).Preview(surface, MosaicAreaTo(form, annotate, end));
  }
  surface.Preview();
  PreviewShapeTo(form, annotate, surface, ShapeEnd(form, annotate, x, y, shift));
}

void CommitShape(CaptureForm& form, AnnotateState& annotate, Surface& surface, Window& window,
                 float x, float y, bool shift) {
  surface.EndPreview();
  if (annotate.choice.tool == Tool::Text) {
    return TextRelease(form, annotate, surface, window, x, y);
  }
  if (annotate.freehand) {
    Mark mark = FreehandMark(form, annotate, x, y, shift);
    annotate.freehand.reset();
    annotate.tool_drag.End();
    return AddMark(form.history, surface, std::move(mark));
  }
  const PointF end = ShapeEnd(form, annotate, x, y, shift);
  const Tool tool = annotate.choice.tool;
  std::optional<Mark> mark;
  if (tool == Tool::Mosaic) {
    // A mosaic click hides nothing: no mark, so no step for an undo to take back.
    if (!MosaicAreaTo(form, annotate, end).Empty()) {
      mark = MosaicMark(form, annotate, surface, end);
    }
  } else if (DrawsShape(tool)) {
    mark = ShapeMark(form, annotate, end);
  }
  annotate.mosaic.reset();
  annotate.tool_drag.End();
  if (mark) AddMark(form.history, surface, std::move(*mark));
}

void AbandonShape(const CaptureForm& form, AnnotateState& annotate, Surface& surface) noexcept {
  ToolDrag& stroke = annotate.tool_drag;
  if (!stroke.InProgress()) return;
  annotate.freehand.reset();
  annotate.mosaic.reset();
  if (!form[ControlId::TextBox].visible) stroke.End();
  try {
    // The window layer and the retained image back to the background: the preview goes, and so
    // does whatever a release that failed half-way drew.
    surface.EndPreview();
  } catch (...) {
    // Taking the preview back needs no new buffer; should it fail anyway, the next one does it.
  }
}

void Arrow(Surface& surface, float tail_x, float tail_y, float tip_x, float tip_y, float head,
           Colour colour) {
  const float dx = tip_x - tail_x;
  const float dy = tip_y - tail_y;
  const double d = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  if (d <= 1e-10) return;

  // The shaft seen from the tip back to the tail. Each wing ends head back along it and half
  // that off to one side, so the head is the same size on every arrow.
  const double ux = tail_x - tip_x;
  const double uy = tail_y - tip_y;
  const double L = head;
  const auto single = [](double v) { return static_cast<float>(v); };
  const float ax = single(tip_x + L * (ux + uy / 2) / d);
  const float ay = single(tip_y + L * (uy - ux / 2) / d);
  const float bx = single(tip_x + L * (ux - uy / 2) / d);
  const float by = single(tip_y + L * (uy + ux / 2) / d);

  surface.Line(ax, ay, tip_x, tip_y, colour);
  surface.Line(bx, by, tip_x, tip_y, colour);
  surface.Line(tail_x, tail_y, tip_x, tip_y, colour);
}

}  // namespace capture
