#include "run/capture_run.h"

#include <exception>

#include "annotate/shape_tools.h"
#include "run/display_change.h"
#include "run/reactions.h"
#include "run/run_error.h"

namespace capture {
template <typename Work>
void CaptureRun::Guarded(Work&& work) {
  if (form_.Closed()) return;
  try {
    work();
  } catch (...) {
    ReportFailure(FailureOf(std::current_exception()));
  }
}

void CaptureRun::ReportFailure(const RunError& error) {
  AbandonPress();
  ShowRunError(form_.platform.dialogs, error);
}

void CaptureRun::Run(const Event& event) {
  // A reaction may close the window; nothing runs after that.
  if (form_.Closed()) return;
  if (const Reaction reaction = ReactionFor(event)) reaction(form_, event);
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

void CaptureRun::MouseDown(int button, float x, float y, bool shift) {
  Guarded([&] { Deliver(WithShift(form_.router.Down(form_.controls, button, {x, y}), shift)); });
}
void CaptureRun::MouseMove(int buttons, float x, float y, bool shift) {
  Guarded([&] { Deliver(WithShift(form_.router.Move(form_.controls, buttons, {x, y}), shift)); });
}
void CaptureRun::MouseUp(int button, float x, float y, bool shift) {
  Guarded([&] { Deliver(WithShift(form_.router.Up(form_.controls, button, {x, y}), shift)); });
}
void CaptureRun::DoubleClick(int button, float x, float y) {
  Guarded([&] { Deliver(form_.router.DoubleClick(form_.controls, button, {x, y})); });
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
    form_[box].caption = text;  // the box's own text, mirrored into the model first
    Run(event);
  });
}

void CaptureRun::ComboClick(ControlId combo, const std::u16string& text) {
  Event event;
  event.kind = Event::Kind::ListChosen;
  event.target = combo;
  Guarded([&] {
    form_[combo].caption = text;
    Run(event);
  });
}

void CaptureRun::DisplayChanged() {
  Guarded([&] { FollowDisplayChange(form_); });
}

void CaptureRun::CaptureLost() {
  AbandonPress();
}

void CaptureRun::AbandonPress() {
  form_.router.CaptureLost();
  AbandonShape(form_);
}

}  // namespace capture
