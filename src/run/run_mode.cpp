#include "run/run_mode.h"

#include "run/capture_run.h"

namespace capture {

RunMode ModeOf(const RunState& state) {
  const CaptureForm& form = state.form;
  if (form[ControlId::TextBox].visible) return RunMode::TextBoxOpen;
  if (state.annotate.edit.drag) return RunMode::MarkDragged;
  if (state.annotate.edit.selected != 0) return RunMode::MarkSelected;
  if (state.annotate.choice.active) return RunMode::ToolChosen;
  if (state.selection.drag.mode == SelectionMode::Move) return RunMode::SelectionFinished;
  return form[ControlId::Selection].visible ? RunMode::DrawingSelection : RunMode::Aiming;
}

}  // namespace capture
