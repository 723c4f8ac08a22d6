#include "run/capture_run.h"

#include <exception>

#include "annotate/mark_gestures.h"
#include "annotate/shape_tools.h"
#include "run/display_change.h"
#include "run/reactions.h"
#include "run/run_error.h"
#include "run/scroll_selection.h"
#include "selection/handle_resize.h"
#include "selection/magnifier.h"

namespace capture {
template <typename Work>
void CaptureRun::Guarded(Work&& work) {
  if (form().Closed()) return;
  try {
    work();
  } catch (...) {
    ReportFailure(FailureOf(std::current_exception()));
  }
}

void CaptureRun::ReportFailure(const RunError& error) {
  AbandonPress();
  ShowRunError(state_.services.dialogs, error);
}

void CaptureRun::Run(const Event& event) {
  // A reaction may close the window; nothing runs after that.
  if (form().Closed()) return;
  if (const Reaction reaction = ReactionFor(event)) reaction(state_, event);
  if (!form().Closed()) {
    // No mark stays selected without a finished selection, nor once undone.
    if (state_.selection.drag.mode != SelectionMode::Move) DeselectMark(form(), state_.annotate);
    FollowSelectedMark(form(), state_.annotate);
    // Whatever the event did, the magnifier follows the pointer, or goes.
    FollowWithMagnifier(form(), state_.selection, state_.annotate.choice, state_.services.surface);
  }
}

void CaptureRun::Deliver(const Deliveries& deliveries) {
  for (const Event& event : deliveries) Run(event);
}

namespace {

Deliveries WithShift(Deliveries deliveries, bool shift) {
  for (std::size_t i = 0; i < deliveries.count; ++i) deliveries.items[i].shift = shift;
  return deliveries;
}

}  // namespace

PointF CaptureRun::ToPicture(float& x, float& y) const {
  const PointF p = form().view().ToPicture(PointF{x, y});
  x = p.x;
  y = p.y;
  return p;
}

void CaptureRun::MouseDown(int button, float x, float y, bool shift) {
  state_.selection.aim.pointer = ToPicture(x, y);
  Guarded([&] { Deliver(WithShift(form().router.Down(form().controls, button, {x, y}), shift)); });
}
void CaptureRun::MouseMove(int buttons, float x, float y, bool shift) {
  Aim& aim = state_.selection.aim;
  aim.pointer = ToPicture(x, y);
  if (!aim.first_move) aim.first_move = PointF{x, y};
  aim.moved = aim.moved || x != aim.first_move->x || y != aim.first_move->y;
  aim.notice.clear();
  Guarded([&] { Deliver(WithShift(form().router.Move(form().controls, buttons, {x, y}), shift)); });
}
void CaptureRun::MouseUp(int button, float x, float y, bool shift) {
  state_.selection.aim.pointer = ToPicture(x, y);
  Guarded([&] { Deliver(WithShift(form().router.Up(form().controls, button, {x, y}), shift)); });
}

void CaptureRun::MouseWheel(int notches, float x, float y) {
  if (!form().Closed() && form().view().Shown()) {
    Guarded([&] { ScrollView(state_, notches); });
    state_.selection.aim.pointer = ToPicture(x, y);  // the picture moved under the pointer
    return;
  }
  state_.selection.aim.pointer = ToPicture(x, y);
  Event event;
  event.kind = Event::Kind::Wheel;
  event.point = {x, y};
  event.wheel = notches;
  Guarded([&] { Run(event); });
}
void CaptureRun::TimerElapsed() {
  Event event;
  event.kind = Event::Kind::Timer;
  Guarded([&] { Run(event); });
}
void CaptureRun::DoubleClick(int button, float x, float y) {
  ToPicture(x, y);
  Guarded([&] { Deliver(form().router.DoubleClick(form().controls, button, {x, y})); });
}

void CaptureRun::KeyPress(const KeyStroke& key) {
  Event event;
  event.kind = Event::Kind::Key;
  event.key = key;
  Guarded([&] { Run(event); });
}

void CaptureRun::TextChanged(ControlId box, const std::u16string& text) {
  Event event;
  event.kind = Event::Kind::TextChanged;
  event.target = box;
  Guarded([&] {
    form()[box].caption = text;  // the box's own text, mirrored into the model first
    Run(event);
  });
}

void CaptureRun::ComboClick(ControlId combo, const std::u16string& text) {
  Event event;
  event.kind = Event::Kind::ListChosen;
  event.target = combo;
  Guarded([&] {
    form()[combo].caption = text;
    Run(event);
  });
}

void CaptureRun::DisplayChanged() {
  Guarded([&] { FollowDisplayChange(form()); });
}

void CaptureRun::CaptureLost() {
  AbandonPress();
}

void CaptureRun::AbandonPress() {
  state_.form.router.CaptureLost();
  AbandonShape(state_.form, state_.annotate, state_.services.surface);
  AbandonMarkDrag(state_.form, state_.annotate, state_.services.surface);
  AbandonHandleDrag(state_.form, state_.selection);
}

}  // namespace capture
