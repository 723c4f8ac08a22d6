#include "selection/selection_drag.h"

#include "annotate/shape_tools.h"
#include "form/capture_form.h"
#include "selection/placement.h"
#include "selection/readout.h"

namespace capture {
namespace {

// An empty selection with its anchor at (x, y).
void AnchorSelection(CaptureForm& form, float x, float y) {
  Control& selection = form[ControlId::Selection];
  selection.width = 0;
  selection.height = 0;
  form.anchor_x = x;
  form.anchor_y = y;
  selection.left = form.anchor_x;
  selection.top = form.anchor_y;
}

// The press throws the selection away and anchors a new one at (x, y).
void ThrowSelectionAway(CaptureForm& form, float x, float y) {
  AnchorSelection(form, x, y);
  form.HideSelectionChrome();
  form.platform.window.SetPointer(Pointer::Default);
  form.selection_mode = SelectionMode::Draw;
  form.selection_thrown_away = true;
}

// Stretches Selection between the anchor and the pointer. Level with the anchor on either axis, it
// keeps the previous geometry.
void RubberBand(CaptureForm& form, float x, float y) {
  Control& selection = form[ControlId::Selection];
  const float ax = form.anchor_x, ay = form.anchor_y;
  if (x == ax || y == ay) return;
  selection.left = x > ax ? ax : x;
  selection.top = y > ay ? ay : y;
  selection.width = x > ax ? x - ax : ax - x;
  selection.height = y > ay ? y - ay : ay - y;
}

// Puts the selection's top-left at (left, top), kept on the screen.
void PlaceSelection(CaptureForm& form, float left, float top) {
  Control& selection = form[ControlId::Selection];
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  if (form.ScreenWidth() < left + selection.width) left = form.ScreenWidth() - selection.width;
  if (form.ScreenHeight() < top + selection.height) top = form.ScreenHeight() - selection.height;
  selection.left = left;
  selection.top = top;
}

// Moves the selection by the pointer's travel since the press.
void MoveSelection(CaptureForm& form, float x, float y) {
  PlaceSelection(form, form.anchor_x - (form.grab_x - x), form.anchor_y - (form.grab_y - y));
}

// The labels and the handles follow the selection.
void ShowAroundSelection(CaptureForm& form) {
  PlaceHandles(form);
  form[ControlId::Selection].visible = true;
  form[ControlId::SizeLabel].visible = true;
  form[ControlId::ColourLabel].visible = true;
}

// The selection is finished where it is: the next move starts from here, and the toolbar strip
// comes under it.
void SettleSelection(CaptureForm& form) {
  if (form.selection_mode == SelectionMode::Draw) form.selection_mode = SelectionMode::Move;
  form.anchor_x = form[ControlId::Selection].left;
  form.anchor_y = form[ControlId::Selection].top;
  PlaceToolbar(form);
}

}  // namespace

void PressOnWindow(CaptureForm& form, int button, float x, float y) {
  if (form.tool_active) return StartShape(form, x, y);
  form[ControlId::Toolbar].visible = false;

  Control& selection = form[ControlId::Selection];
  if (form.selection_mode == SelectionMode::Draw) {
    selection.visible = true;
    AnchorSelection(form, x, y);
    if (button == button::kRight) form.selection_thrown_away = false;
    return;
  }

  form.platform.window.SetPointer(Pointer::Cross);
  if (PtInRect(form.SelectionRect(), Round(x), Round(y))) {
    form.grab_x = x;
    form.grab_y = y;
    if (button != button::kRight) return;
  }
  ThrowSelectionAway(form, x, y);
}

void MoveOnWindow(CaptureForm& form, int buttons, float x, float y, bool shift) {
  ColourReadout(form, x, y);
  if (form.tool_active) {
    if (form.stroke_active) PreviewShape(form, x, y, shift);
    return;
  }

  Window& window = form.platform.window;
  window.SetPointer(form[ControlId::Selection].StrictlyContains(x, y) ? Pointer::SizeAll
                                                                      : Pointer::Cross);
  if (buttons != button::kLeft) return;

  // The window repaints once the reaction is over, so no intermediate position is ever shown.
  if (form.selection_mode == SelectionMode::Draw) {
    RubberBand(form, x, y);
    const Control& selection = form[ControlId::Selection];
    std::u16string size = SizeText(selection.width, selection.height);
    PlaceLabels(form);
    form[ControlId::SizeLabel].caption = std::move(size);
    window.SetPointer(Pointer::Cross);
  } else {
    window.SetPointer(Pointer::SizeAll);
    MoveSelection(form, x, y);
    PlaceLabels(form);
  }
  ShowAroundSelection(form);
}

void ReleaseOnWindow(CaptureForm& form, int button, float x, float y, bool shift) {
  if (form.stroke_active) CommitShape(form, x, y, shift);
  if (button == button::kLeft) {
    SettleSelection(form);
  } else if (!form.selection_thrown_away) {
    form.CloseWindow();
  }
}

void NudgeSelection(CaptureForm& form, float dx, float dy) {
  // Only a selection that a press inside would move: finished, its toolbar shown, no tool chosen.
  if (form.tool_active || form.selection_mode != SelectionMode::Move) return;
  if (!form[ControlId::Toolbar].visible) return;
  const Control& selection = form[ControlId::Selection];
  PlaceSelection(form, selection.left + dx, selection.top + dy);
  PlaceLabels(form);
  ShowAroundSelection(form);
  SettleSelection(form);
}

}  // namespace capture
