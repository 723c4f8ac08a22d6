#include "selection/selection_drag.h"

#include <cmath>
#include <optional>

#include "form/capture_form.h"
#include "platform/platform.h"
#include "selection/placement.h"
#include "selection/readout.h"
#include "selection/suggestion.h"

namespace capture {
namespace {

// An empty selection with its anchor at (x, y).
void AnchorSelection(CaptureForm& form, SelectionDrag& drag, float x, float y) {
  Control& selection = form[ControlId::Selection];
  selection.width = 0;
  selection.height = 0;
  drag.anchor = {x, y};
  selection.left = x;
  selection.top = y;
}

// The press throws the selection away and anchors a new one at (x, y).
void ThrowSelectionAway(CaptureForm& form, SelectionDrag& drag, Window& window, float x, float y) {
  AnchorSelection(form, drag, x, y);
  form.HideSelectionChrome();
  window.SetPointer(Pointer::Default);
  drag.mode = SelectionMode::Draw;
  drag.thrown_away = true;
}

// Stretches Selection between the anchor and the pointer. Level with the anchor on either axis, it
// keeps the previous geometry.
void RubberBand(CaptureForm& form, const SelectionDrag& drag, float x, float y) {
  Control& selection = form[ControlId::Selection];
  const float ax = drag.anchor.x, ay = drag.anchor.y;
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
void MoveSelection(CaptureForm& form, const SelectionDrag& drag, float x, float y) {
  PlaceSelection(form, drag.anchor.x - (drag.grab.x - x), drag.anchor.y - (drag.grab.y - y));
}

// The labels and the handles follow the selection.
void ShowAroundSelection(CaptureForm& form) {
  PlaceHandles(form);
  form[ControlId::Selection].visible = true;
  form[ControlId::SizeLabel].visible = true;
  form[ControlId::ColourLabel].visible = true;
}

// The selection drawn from the anchor to (x, y), with its size, labels and handles.
void DrawTo(CaptureForm& form, const SelectionDrag& drag, float x, float y) {
  RubberBand(form, drag, x, y);
  const Control& selection = form[ControlId::Selection];
  std::u16string size = SizeText(selection.width, selection.height);
  PlaceLabels(form);
  form[ControlId::SizeLabel].caption = std::move(size);
  ShowAroundSelection(form);
}

// The selection is finished where it is: the next move starts from here, and the toolbar strip
// comes under it.
void SettleSelection(CaptureForm& form, SelectionDrag& drag) {
  if (drag.mode == SelectionMode::Draw) drag.mode = SelectionMode::Move;
  drag.anchor = {form[ControlId::Selection].left, form[ControlId::Selection].top};
  PlaceToolbar(form);
}

// A left press that starts a new selection may still be a click, which takes what lies under it;
// the suggestion shown before the press (the wheel may have gone out) is the one it takes.
void AimClick(CaptureForm& form, Aim& aim, int button, float x, float y) {
  if (button != button::kLeft) {
    HideSuggestion(form, aim);
    return;
  }
  if (!form[ControlId::Suggestion].visible) Suggest(form, aim, x, y);
  form[ControlId::Suggestion].visible = false;
  aim.click = PointF{x, y};
}

// The pointer has gone further from the press than a click may: this is a drag.
bool BeyondClick(const Aim& aim, Window& window, float x, float y) {
  const SizeI drag = window.DragDistance();
  const PointF press = *aim.click;
  return std::abs(x - press.x) * 2 > static_cast<float>(drag.width) ||
         std::abs(y - press.y) * 2 > static_cast<float>(drag.height);
}

}  // namespace

void SelectArea(CaptureForm& form, SelectionDrag& drag, Aim& aim, const RectI& area) {
  HideSuggestion(form, aim);
  aim.click.reset();
  Control& selection = form[ControlId::Selection];
  selection.left = static_cast<float>(area.left);
  selection.top = static_cast<float>(area.top);
  selection.width = static_cast<float>(area.right - area.left);
  selection.height = static_cast<float>(area.bottom - area.top);
  form[ControlId::SizeLabel].caption = SizeText(selection.width, selection.height);
  PlaceLabels(form);
  ShowAroundSelection(form);
  drag.mode = SelectionMode::Draw;
  SettleSelection(form, drag);
}

void PressOnSelection(CaptureForm& form, SelectionDrag& drag, Aim& aim, Window& window, int button,
                      float x, float y) {
  form[ControlId::Toolbar].visible = false;

  Control& selection = form[ControlId::Selection];
  if (drag.mode == SelectionMode::Draw) {
    AimClick(form, aim, button, x, y);
    selection.visible = true;
    AnchorSelection(form, drag, x, y);
    if (button == button::kRight) drag.thrown_away = false;
    return;
  }

  window.SetPointer(Pointer::Cross);
  if (PtInRect(form.SelectionRect(), Round(x), Round(y))) {
    drag.grab = {x, y};
    if (button != button::kRight) return;
  }
  ThrowSelectionAway(form, drag, window, x, y);
  AimClick(form, aim, button, x, y);
}

void MoveOnSelection(CaptureForm& form, const SelectionDrag& drag, Aim& aim, Window& window,
                     int buttons, float x, float y) {
  window.SetPointer(form[ControlId::Selection].StrictlyContains(x, y) ? Pointer::SizeAll
                                                                      : Pointer::Cross);
  if (buttons == 0 && drag.mode == SelectionMode::Draw && aim.moved) Suggest(form, aim, x, y);
  if (buttons != button::kLeft) return;
  if (aim.click && BeyondClick(aim, window, x, y)) aim.click.reset();

  // The window repaints once the reaction is over, so no intermediate position is ever shown.
  if (drag.mode == SelectionMode::Draw) {
    window.SetPointer(Pointer::Cross);
    DrawTo(form, drag, x, y);
  } else {
    window.SetPointer(Pointer::SizeAll);
    MoveSelection(form, drag, x, y);
    PlaceLabels(form);
    ShowAroundSelection(form);
  }
}

void ReleaseOnSelection(CaptureForm& form, SelectionDrag& drag, Aim& aim, Window& window,
                        int button, float x, float y) {
  if (button == button::kLeft) {
    // The release's own place counts: far from the press it ends a drag, even when no move came
    // between them (the system may deliver a quick drag as a press and a release alone).
    if (aim.click && drag.mode == SelectionMode::Draw && BeyondClick(aim, window, x, y)) {
      aim.click.reset();
      DrawTo(form, drag, x, y);
    }
    // A click takes the suggestion, as if it had been dragged out; a drag settles what it drew.
    const std::optional<RectI> suggested = Suggested(form, aim);
    const bool click = aim.click && drag.mode == SelectionMode::Draw;
    HideSuggestion(form, aim);
    aim.click.reset();
    if (click && suggested) return SelectArea(form, drag, aim, *suggested);
    SettleSelection(form, drag);
  } else if (!drag.thrown_away) {
    form.CloseWindow();
  }
}

void NudgeSelection(CaptureForm& form, SelectionDrag& drag, float dx, float dy) {
  // Only a selection that a press inside would move: finished, its toolbar shown.
  if (drag.mode != SelectionMode::Move) return;
  if (!form[ControlId::Toolbar].visible) return;
  const Control& selection = form[ControlId::Selection];
  PlaceSelection(form, selection.left + dx, selection.top + dy);
  PlaceLabels(form);
  ShowAroundSelection(form);
  SettleSelection(form, drag);
}

void ReturnToSelecting(CaptureForm& form, SelectionDrag& drag) {
  drag.mode = SelectionMode::Draw;
  form.HideSelectionChrome();
  form[ControlId::Toolbar].visible = false;
  form[ControlId::Selection].width = 0;
  form[ControlId::Selection].height = 0;
}

}  // namespace capture
