#include "selection/selection_drag.h"

#include "annotate/shape_tools.h"
#include "form/capture_form.h"
#include "selection/placement.h"
#include "selection/readout.h"

namespace capture {
namespace {

// An empty selection with its anchor at (x, y).
void AnchorSelection(CaptureForm& form, float x, float y) {
  Control& selection = form[ControlId::Shape1];
  selection.width = 0;
  selection.height = 0;
  form.SelX = x;
  form.SelY = y;
  selection.left = form.SelX;
  selection.top = form.SelY;
}

// The press throws the selection away and anchors a new one at (x, y).
void ThrowSelectionAway(CaptureForm& form, float x, float y) {
  AnchorSelection(form, x, y);
  form.HideSelection();
  form.platform.window.SetPointer(Pointer::Default);
  form.SelMode = SelectionMode::Draw;
  form.SelCleared = true;
}

// Stretches Shape1 between the anchor and the pointer. Level with the anchor on either axis, it
// keeps the previous geometry.
void RubberBand(CaptureForm& form, float x, float y) {
  Control& selection = form[ControlId::Shape1];
  const float ax = form.SelX, ay = form.SelY;
  if (x == ax || y == ay) return;
  selection.left = x > ax ? ax : x;
  selection.top = y > ay ? ay : y;
  selection.width = x > ax ? x - ax : ax - x;
  selection.height = y > ay ? y - ay : ay - y;
}

// Puts the selection's top-left at (left, top), kept on the screen.
void PlaceSelection(CaptureForm& form, float left, float top) {
  Control& selection = form[ControlId::Shape1];
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  if (form.ScreenWidth() < left + selection.width) left = form.ScreenWidth() - selection.width;
  if (form.ScreenHeight() < top + selection.height) top = form.ScreenHeight() - selection.height;
  selection.left = left;
  selection.top = top;
}

// Moves the selection by the pointer's travel since the press.
void MoveSelection(CaptureForm& form, float x, float y) {
  PlaceSelection(form, form.SelX - (form.MoveX - x), form.SelY - (form.MoveY - y));
}

// The labels and the handles follow the selection.
void ShowAroundSelection(CaptureForm& form) {
  ImageMove(form);
  form[ControlId::Shape1].visible = true;
  form[ControlId::LblPos].visible = true;
  form[ControlId::lblInfo].visible = true;
}

// The selection is finished where it is: the next move starts from here, and the toolbar strip
// comes under it.
void SettleSelection(CaptureForm& form) {
  if (form.SelMode == SelectionMode::Draw) form.SelMode = SelectionMode::Move;
  form.SelX = form[ControlId::Shape1].left;
  form.SelY = form[ControlId::Shape1].top;
  PlaceToolbar(form);
}

}  // namespace

void Form_MouseDown(CaptureForm& form, int button, float x, float y) {
  if (form.DrawOn) return StartShape(form, x, y);
  form[ControlId::Picture1].visible = false;

  Control& selection = form[ControlId::Shape1];
  if (form.SelMode == SelectionMode::Draw) {
    selection.visible = true;
    AnchorSelection(form, x, y);
    if (button == button::kRight) form.SelCleared = false;
    return;
  }

  form.platform.window.SetPointer(Pointer::Cross);
  if (PtInRect(form.SelRect(), RoundHalfEven(x), RoundHalfEven(y))) {
    form.MoveX = x;
    form.MoveY = y;
    if (button != button::kRight) return;
  }
  ThrowSelectionAway(form, x, y);
}

void Form_MouseMove(CaptureForm& form, int buttons, float x, float y) {
  ColourReadout(form, x, y);
  if (form.DrawOn) {
    if (form.PenDown) PreviewShape(form, x, y);
    return;
  }

  Window& window = form.platform.window;
  window.SetPointer(form[ControlId::Shape1].StrictlyContains(x, y) ? Pointer::SizeAll
                                                                   : Pointer::Cross);
  if (buttons != button::kLeft) return;

  // The window repaints once the reaction is over, so no intermediate position is ever shown.
  if (form.SelMode == SelectionMode::Draw) {
    RubberBand(form, x, y);
    const Control& selection = form[ControlId::Shape1];
    std::u16string size = SizeText(selection.width, selection.height);
    PlaceLabels(form);
    form[ControlId::LblPos].caption = std::move(size);
    window.SetPointer(Pointer::Cross);
  } else {
    window.SetPointer(Pointer::SizeAll);
    MoveSelection(form, x, y);
    PlaceLabels(form);
  }
  ShowAroundSelection(form);
}

void Form_MouseUp(CaptureForm& form, int button, float x, float y) {
  if (form.PenDown) CommitShape(form, x, y);
  if (button == button::kLeft) {
    SettleSelection(form);
  } else if (!form.SelCleared) {
    form.CloseWindow();
  }
}

void NudgeSelection(CaptureForm& form, float dx, float dy) {
  // Only a selection that a press inside would move: finished, its toolbar shown, no tool chosen.
  if (form.DrawOn || form.SelMode != SelectionMode::Move) return;
  if (!form[ControlId::Picture1].visible) return;
  const Control& selection = form[ControlId::Shape1];
  PlaceSelection(form, selection.left + dx, selection.top + dy);
  PlaceLabels(form);
  ShowAroundSelection(form);
  SettleSelection(form);
}

}  // namespace capture
