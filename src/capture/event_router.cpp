#include "capture/event_router.h"

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
  Press(form, PointerEvent::DoubleClick, button, shift, p);
}

void EventRouter::Move(CaptureForm& form, int buttons, int shift, PointF p) {
  const ControlId target = captured_ != ControlId::Count ? captured_ : form.controls.HitTest(p);
  Deliver(form, target, PointerEvent::Move, buttons, shift, p);
}

void EventRouter::Up(CaptureForm& form, int button, int shift, PointF p) {
  const ControlId target = captured_ != ControlId::Count ? captured_ : form.controls.HitTest(p);
  buttons_ &= ~button;
  if (buttons_ == 0) captured_ = ControlId::Count;
  // Whether the release ends over the pressed control is decided before its reaction runs: the
  // reaction may move or hide it.
  const bool click =
      button == button::kLeft && target != ControlId::Window && form.controls.HitTest(p) == target;
  Deliver(form, target, PointerEvent::Up, button, shift, p);
  if (click) Deliver(form, target, PointerEvent::Click, button, shift, p);
}

}  // namespace capture
