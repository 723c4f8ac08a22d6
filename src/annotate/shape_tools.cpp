#include "annotate/shape_tools.h"

#include <cmath>

#include "annotate/freehand.h"
#include "annotate/mosaic.h"
#include "annotate/step_disc.h"
#include "annotate/stroke_geometry.h"
#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "annotate/tool_choices.h"
#include "form/capture_form.h"

namespace capture {
namespace {

constexpr float kArrowHead = 10;

// The end of the drag: the pointer on the selection, and with Shift square or at 45 degrees.
PointF ShapeEnd(const CaptureForm& form, const Annotation& annotation, float x, float y,
                bool shift) {
  const PointF end = ClampToSelection(form, x, y);
  if (!shift) return end;
  const PointF start = annotation.stroke.Start();
  const Tool tool = annotation.choice.tool;
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
RectI MosaicAreaTo(const CaptureForm& form, const Annotation& annotation, PointF end) {
  return MosaicArea(form.SelectionRect(), annotation.stroke.Start(), end);
}

MosaicStyle ChosenMosaic(const CaptureForm& form, const ToolChoices& choices) {
  return {MosaicBlurs(choices) ? MosaicKind::Blur : MosaicKind::Cells,
          Round(MosaicCell(form, choices)), BlurBox(form.controls.scale)};
}

// The mosaic drag of the press, made on its first use.
MosaicDrag& MosaicOf(const CaptureForm& form, Annotation& annotation) {
  if (!annotation.mosaic) {
    annotation.mosaic.emplace(form.SelectionRect(), ChosenMosaic(form, annotation.choices));
  }
  return *annotation.mosaic;
}

// Draws the chosen tool's shape from the drag's start to `end`; the text tool draws nothing here.
// The mosaic hides what the picture held at the press: the retained image, which no preview
// touches. A step is the next number after those on the picture shown, where the pointer is.
void ShapeStep(const CaptureForm& form, Annotation& annotation, Surface& surface, PointF end) {
  const Colour colour = CurrentColour(form);
  const PointF start = annotation.stroke.Start();
  switch (annotation.choice.tool) {
    case Tool::Rectangle:
      return surface.Box(start.x, start.y, end.x, end.y, colour);
    case Tool::Ellipse:
      // Always one pixel wide; the corners go to GDI as they are, not sorted.
      return surface.Ellipse(Round(start.x), Round(start.y), Round(end.x), Round(end.y), colour);
    case Tool::Arrow:
      return Arrow(surface, start.x, start.y, end.x, end.y, kArrowHead, colour);
    case Tool::Mosaic:
      return MosaicOf(form, annotation).Draw(surface, MosaicAreaTo(form, annotation, end));
    case Tool::Steps:
      return DrawStep(surface, form.SelectionRect(), end, form.history.StepsShown() + 1, colour,
                      StepDiameter(form, annotation.choices), form.controls.scale.dpi);
    case Tool::Text:
    case Tool::Pen:
    case Tool::Highlighter:
    case Tool::None:
      return;
  }
}

}  // namespace

// The pointer pulled back onto the selection, so that no shape reaches outside it.
PointF ClampToSelection(const CaptureForm& form, float x, float y) {
  const Control& selection = form[ControlId::Selection];
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

void StartShape(const CaptureForm& form, Annotation& annotation, Surface& surface, float x,
                float y) {
  if (!form[ControlId::Selection].StrictlyContains(x, y)) return;
  annotation.stroke.Begin({x, y});
  annotation.mosaic.reset();
  surface.Preview();  // nothing is drawn into the picture until the release
  if (IsFreehand(annotation.choice.tool)) StartFreehand(form, annotation, surface, x, y);
  // The step shows from the press.
  if (annotation.choice.tool == Tool::Steps) ShapeStep(form, annotation, surface, {x, y});
}

void PreviewShape(const CaptureForm& form, Annotation& annotation, Surface& surface, float x,
                  float y, bool shift) {
  // After the text tool's release the open box keeps the stroke alive, with nothing to preview:
  // the picture stays the one drawing goes into.
  if (form[ControlId::TextBox].visible) return;
  if (annotation.freehand) return ExtendFreehand(form, annotation, surface, x, y, shift);
  if (annotation.choice.tool == Tool::Mosaic) {
    // Changes only what the move changes: the preview is not taken back first.
    const PointF end = ShapeEnd(form, annotation, x, y, shift);
    return MosaicOf(form, annotation).Preview(surface, MosaicAreaTo(form, annotation, end));
  }
  surface.Preview();
  ShapeStep(form, annotation, surface, ShapeEnd(form, annotation, x, y, shift));
}

void CommitShape(CaptureForm& form, Annotation& annotation, Surface& surface, Window& window,
                 float x, float y, bool shift) {
  surface.EndPreview();
  if (annotation.choice.tool == Tool::Text) {
    return TextRelease(form, annotation.stroke, surface, window, x, y);
  }
  if (annotation.freehand) {
    DrawFreehand(form, annotation, surface, x, y, shift);
    annotation.freehand.reset();
    annotation.stroke.End();
    return form.history.Push(surface);
  }
  const PointF end = ShapeEnd(form, annotation, x, y, shift);
  ShapeStep(form, annotation, surface, end);
  const Tool tool = annotation.choice.tool;
  // A mosaic click hides nothing: no annotation, so no snapshot for an undo to take back.
  const bool nothing = tool == Tool::Mosaic && MosaicAreaTo(form, annotation, end).Empty();
  annotation.mosaic.reset();
  annotation.stroke.End();
  if (!nothing) form.history.Push(surface, tool == Tool::Steps ? 1 : 0);
}

void AbandonShape(const CaptureForm& form, Annotation& annotation, Surface& surface) noexcept {
  Stroke& stroke = annotation.stroke;
  if (!stroke.InProgress()) return;
  annotation.freehand.reset();
  annotation.mosaic.reset();
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
