// Routes window-level pointer input to the capture window's controls like a window toolkit does:
// hit test, capture from press to release, click, double-click. The router decides who receives
// an event; the run's reaction table decides what that does.
#pragma once

#include <array>
#include <cstddef>

#include "form/controls.h"

namespace capture {

// One event for one control, as its reaction receives it: plain values, nothing read from
// elsewhere.
struct Event {
  enum class Kind {
    Down,
    Move,
    Up,
    Click,
    DoubleClick,
    Key,
    TextChanged,
    ListChosen,
    Wheel,
    Timer
  };
  Kind kind = Kind::Move;
  ControlId target = ControlId::Window;
  int button = 0;      // the button pressed or released; the buttons held for a move
  PointF point;        // in the coordinates of the target's container
  bool shift = false;  // Shift was held, for pointer events
  KeyStroke key;       // the key pressed, for a key
  int wheel = 0;       // notches the wheel turned, away from the user positive
};

// The pointer events of one window event, in order: none, one, or a release and its click.
struct Deliveries {
  std::array<Event, 2> items;
  std::size_t count = 0;

  const Event* begin() const { return items.data(); }
  const Event* end() const { return items.data() + count; }
};

class EventRouter {
 public:
  Deliveries Down(const Controls& controls, int button, PointF p);
  Deliveries Move(const Controls& controls, int buttons, PointF p);
  // Whether the release ends over the pressed control, and so clicks it, is decided here, before
  // any reaction runs: the release's reaction may move or hide the control.
  Deliveries Up(const Controls& controls, int button, PointF p);
  // The second press of a double-click. The left button's is delivered to the control under the
  // pointer in place of a press, and the release that follows makes no click; the right and
  // middle buttons' are ordinary presses.
  Deliveries DoubleClick(const Controls& controls, int button, PointF p);
  // Another window took the pointer while buttons were held: the press ends here, with no
  // release and no click delivered.
  void CaptureLost();
  // True from a press until its last button is released or the press is lost.
  bool Pressed() const { return captured_ != ControlId::Count; }

 private:
  Deliveries Press(const Controls& controls, Event::Kind kind, int button, PointF p);

  ControlId captured_ = ControlId::Count;  // the control holding the capture; Count for none
  int buttons_ = 0;
  bool left_double_clicked_ = false;  // the left button is down as the second press of a double
};

}  // namespace capture
