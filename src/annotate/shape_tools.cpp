#include "annotate/shape_tools.h"

#include <cmath>

#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "form/capture_form.h"

namespace capture {
namespace {

constexpr float kArrowHead = 10;

// The pointer pulled back onto the selection, so that no shape reaches outside it.
PointF ClampToSelection(const CaptureForm& form, float x, float y) {
  const Control& selection = form[ControlId::Shape1];
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

// Draws the chosen tool's shape from the drag's start to `end`; the text tool draws nothing here.
void ShapeStep(CaptureForm& form, PointF end) {
  Surface& surface = form.platform.surface;
  const Colour colour = CurrentColour(form);
  switch (ChosenTool(form)) {
    case Tool::Rectangle:
      return surface.Box(form.DrawX, form.DrawY, end.x, end.y, colour);
    case Tool::Ellipse:
      // Always one pixel wide; the corners go to GDI as they are, not sorted.
      return surface.Ellipse(RoundHalfEven(form.DrawX), RoundHalfEven(form.DrawY),
                             RoundHalfEven(end.x), RoundHalfEven(end.y), colour);
    case Tool::Arrow:
      return Arrow(surface, form.DrawX, form.DrawY, end.x, end.y, kArrowHead, colour);
    case Tool::Text:
    case Tool::None:
      return;
  }
}

}  // namespace

void StartShape(CaptureForm& form, float x, float y) {
  if (!form[ControlId::Shape1].StrictlyContains(x, y)) return;
  form.PenDown = true;
  form.platform.surface.SetPersistent(false);
  form.DrawX = x;
  form.DrawY = y;
}

void PreviewShape(CaptureForm& form, float x, float y) {
  // Persistent drawing is off: the clear takes only the screen back to the picture.
  form.platform.surface.Clear();
  ShapeStep(form, ClampToSelection(form, x, y));
}

void CommitShape(CaptureForm& form, float x, float y) {
  Surface& surface = form.platform.surface;
  surface.SetPersistent(true);
  surface.Clear();
  if (ChosenTool(form) == Tool::Text) return TextRelease(form, x, y);
  ShapeStep(form, ClampToSelection(form, x, y));
  form.PenDown = false;
  form.store.Push(surface);
}

void AbandonShape(CaptureForm& form) noexcept {
  if (!form.PenDown) return;
  form.PenDown = form[ControlId::TextEdit].visible;
  try {
    // The window layer and the retained image back to the background: the preview goes, and so
    // does whatever a release that failed half-way drew.
    Surface& surface = form.platform.surface;
    surface.SetPersistent(true);
    surface.Clear();
  } catch (...) {
    // Taking the preview back needs no new buffer; should it fail anyway, the next clear does it.
  }
}

void Arrow(Surface& Pic, float x0, float y0, float X1, float Y1, float ArrowLen, Colour color) {
  const float dx = X1 - x0;
  const float dy = Y1 - y0;
  const double d = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  if (d <= 1e-10) return;

  // The shaft seen from the tip back to the tail. Each wing ends ArrowLen back along it and half
  // that off to one side, so the head is the same size on every arrow.
  const double ux = x0 - X1;
  const double uy = y0 - Y1;
  const double L = ArrowLen;
  const auto single = [](double v) { return static_cast<float>(v); };
  const float ax = single(X1 + L * (ux + uy / 2) / d);
  const float ay = single(Y1 + L * (uy - ux / 2) / d);
  const float bx = single(X1 + L * (ux - uy / 2) / d);
  const float by = single(Y1 + L * (uy + ux / 2) / d);

  Pic.Line(ax, ay, X1, Y1, color);
  Pic.Line(bx, by, X1, Y1, color);
  Pic.Line(x0, y0, X1, Y1, color);
}

}  // namespace capture
