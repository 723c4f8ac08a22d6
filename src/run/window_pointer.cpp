#include "run/window_pointer.h"

#include "annotate/shape_tools.h"
#include "run/capture_run.h"
#include "run/run_mode.h"
#include "selection/readout.h"
#include "selection/selection_drag.h"

namespace capture {

void PressOnWindow(RunState& s, const Event& e) {
  Surface& surface = s.services.surface;
  switch (ModeOf(s)) {
    case RunMode::ToolChosen:
    case RunMode::MarkSelected:
    case RunMode::MarkDragged:
    case RunMode::TextBoxOpen:
      return StartShape(s.form, s.annotate, surface, e.point.x, e.point.y);
    case RunMode::Aiming:
    case RunMode::DrawingSelection:
    case RunMode::SelectionFinished:
      break;
  }
  PressOnSelection(s.form, s.selection.drag, s.selection.aim, s.services.window, e.button,
                   e.point.x, e.point.y);
}

void MoveOnWindow(RunState& s, const Event& e) {
  Surface& surface = s.services.surface;
  ColourReadout(s.form, surface, e.point.x, e.point.y);
  switch (ModeOf(s)) {
    case RunMode::ToolChosen:
    case RunMode::MarkSelected:
    case RunMode::MarkDragged:
    case RunMode::TextBoxOpen:
      if (s.annotate.tool_drag.InProgress()) {
        PreviewShape(s.form, s.annotate, surface, e.point.x, e.point.y, e.shift);
      }
      return;
    case RunMode::Aiming:
    case RunMode::DrawingSelection:
    case RunMode::SelectionFinished:
      break;
  }
  MoveOnSelection(s.form, s.selection.drag, s.selection.aim, s.services.window, e.button,
                  e.point.x, e.point.y);
}

void ReleaseOnWindow(RunState& s, const Event& e) {
  if (s.annotate.tool_drag.InProgress()) {
    CommitShape(s.form, s.annotate, s.services.surface, s.services.window, e.point.x, e.point.y,
                e.shift);
  }
  // A tool's release ends the press as the selection's would: a right button's quits.
  ReleaseOnSelection(s.form, s.selection.drag, s.selection.aim, s.services.window, e.button,
                     e.point.x, e.point.y);
}

}  // namespace capture
