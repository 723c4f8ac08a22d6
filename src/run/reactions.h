// The program's table of contents: every event the capture window can receive, and the reaction
// it runs. The form's router decides which control receives a pointer event; this table decides
// what that control does with it.
#pragma once

#include "form/controls.h"

namespace capture {

class CaptureForm;

// One event as a reaction receives it: plain values, nothing read from elsewhere.
struct Event {
  enum class Kind { Down, Move, Up, Click, DoubleClick, Key, TextChanged, ListChosen };
  Kind kind = Kind::Move;
  ControlId target = ControlId::Window;
  int button = 0;    // the button pressed or released; the buttons held for a move
  PointF point;      // in the coordinates of the target's container
  char16_t key = 0;  // the character typed, for a key
};

using Reaction = void (*)(CaptureForm& form, const Event& event);

// The reaction of the event's target to its kind of event, or null when it has none.
Reaction ReactionFor(const Event& event);

}  // namespace capture
