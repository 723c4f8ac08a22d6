#include "form/event_router.h"

#include <utility>

namespace capture {
namespace {

Event To(const Controls& controls, ControlId target, Event::Kind kind, int button, PointF p) {
  Event event;
  event.kind = kind;
  event.target = target;
  event.button = button;
  event.point = target == ControlId::Window ? p : controls.ToContainer(target, p);
  return event;
}

Deliveries One(const Event& d) {
  Deliveries out;
  out.items[out.count++] = d;
  return out;
}

}  // namespace

Deliveries EventRouter::Press(const Controls& controls, Event::Kind kind, int button, PointF p) {
  if (captured_ == ControlId::Count) captured_ = controls.HitTest(p);
  buttons_ |= button;
  return One(To(controls, captured_, kind, button, p));
}

Deliveries EventRouter::Down(const Controls& controls, int button, PointF p) {
  return Press(controls, Event::Kind::Down, button, p);
}

Deliveries EventRouter::DoubleClick(const Controls& controls, int button, PointF p) {
  if (button != button::kLeft) return Press(controls, Event::Kind::Down, button, p);
  left_double_clicked_ = true;
  return Press(controls, Event::Kind::DoubleClick, button, p);
}

void EventRouter::CaptureLost() {
  captured_ = ControlId::Count;
  buttons_ = 0;
  left_double_clicked_ = false;
}

Deliveries EventRouter::Move(const Controls& controls, int buttons, PointF p) {
  const ControlId target = captured_ != ControlId::Count ? captured_ : controls.HitTest(p);
  return One(To(controls, target, Event::Kind::Move, buttons, p));
}

Deliveries EventRouter::Up(const Controls& controls, int button, PointF p) {
  const ControlId pressed = captured_;
  const ControlId target = pressed != ControlId::Count ? pressed : controls.HitTest(p);
  buttons_ &= ~button;
  if (buttons_ == 0) captured_ = ControlId::Count;
  // A double-click acts once: the release of its second press makes no click.
  const bool after_double_click =
      button == button::kLeft && std::exchange(left_double_clicked_, false);
  // A click needs its press: a release after a lost capture makes none.
  const bool click = button == button::kLeft && !after_double_click && pressed == target &&
                     target != ControlId::Window && controls.HitTest(p) == target;
  Deliveries out = One(To(controls, target, Event::Kind::Up, button, p));
  if (click) out.items[out.count++] = To(controls, target, Event::Kind::Click, button, p);
  return out;
}

}  // namespace capture
