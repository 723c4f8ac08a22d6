// Routes window-level pointer input to the capture window's controls like a window toolkit does:
// hit test, capture from press to release, click, double-click.
#pragma once

#include "capture/controls.h"

namespace capture {

class CaptureForm;

enum class PointerEvent { Down, Move, Up, Click, DoubleClick };

class EventRouter {
 public:
  void Down(CaptureForm& form, int button, int shift, PointF p);
  void Move(CaptureForm& form, int buttons, int shift, PointF p);
  void Up(CaptureForm& form, int button, int shift, PointF p);
  // The second press of a double-click. The left button's is delivered to the control under the
  // pointer in place of a press, and the release that follows makes no click; the right and
  // middle buttons' are ordinary presses.
  void DoubleClick(CaptureForm& form, int button, int shift, PointF p);
  // Another window took the pointer while buttons were held: the press ends here, with no
  // release and no click delivered.
  void CaptureLost();

 private:
  void Press(CaptureForm& form, PointerEvent event, int button, int shift, PointF p);

  ControlId captured_ = ControlId::Count;  // the control holding the capture; Count for none
  int buttons_ = 0;
  bool left_double_clicked_ = false;  // the left button is down as the second press of a double
};

// Runs the reaction of control `target` to one pointer event; `local` is in the coordinates of the
// target's container (window coordinates for the window and its direct children).
void React(CaptureForm& form, ControlId target, PointerEvent event, int button, int shift,
           PointF local);

}  // namespace capture
