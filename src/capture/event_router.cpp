#include "capture/event_router.h"

#include <utility>

#include "capture/capture_form.h"

namespace capture {
namespace {

void Deliver(CaptureForm& form, ControlId target, PointerEvent event, int button, int shift,
             PointF p) {
  if (form.Closed()) return;
  const PointF local = target == ControlId::Window ? p : form.controls.ToContainer(target, p);
  React(form, target, event, button, shift, local);
}

}  // namespace

void EventRouter::Press(CaptureForm& form, PointerEvent event, int button, int shift, PointF p) {
  if (captured_ == ControlId::Count) captured_ = form.controls.HitTest(p);
  buttons_ |= button;
  Deliver(form, captured_, event, button, shift, p);
}

void EventRouter::Down(CaptureForm& form, int button, int shift, PointF p) {
  Press(form, PointerEvent::Down, button, shift, p);
}

void EventRouter::DoubleClick(CaptureForm& form, int button, int shift, PointF p) {
  if (button != button::kLeft) return Press(form, PointerEvent::Down, button, shift, p);
  left_double_clicked_ = true;
  Press(form, PointerEvent::DoubleClick, button, shift, p);
}

void EventRouter::CaptureLost() {
  captured_ = ControlId::Count;
  buttons_ = 0;
  left_double_clicked_ = false;
}

void EventRouter::Move(CaptureForm& form, int buttons, int shift, PointF p) {
  const ControlId target = captured_ != ControlId::Count ? captured_ : form.controls.HitTest(p);
  Deliver(form, target, PointerEvent::Move, buttons, shift, p);
}

void EventRouter::Up(CaptureForm& form, int button, int shift, PointF p) {
  const ControlId pressed = captured_;
  const ControlId target = pressed != ControlId::Count ? pressed : form.controls.HitTest(p);
  buttons_ &= ~button;
  if (buttons_ == 0) captured_ = ControlId::Count;
  // A double-click acts once: the release of its second press makes no click.
  const bool after_double_click =
      button == button::kLeft && std::exchange(left_double_clicked_, false);
  // A click needs its press: a release after a lost capture makes none. Whether the release ends
  // over the pressed control is decided before its reaction runs: the reaction may move or hide
  // it.
  const bool click = button == button::kLeft && !after_double_click && pressed == target &&
                     target != ControlId::Window && form.controls.HitTest(p) == target;
  Deliver(form, target, PointerEvent::Up, button, shift, p);
  if (click) Deliver(form, target, PointerEvent::Click, button, shift, p);
}

}  // namespace capture
