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
  // Delivered to the control under the pointer in place of a press; it takes the capture.
  void DoubleClick(CaptureForm& form, int button, int shift, PointF p);

 private:
  void Press(CaptureForm& form, PointerEvent event, int button, int shift, PointF p);

  ControlId captured_ = ControlId::Count;  // the control holding the capture; Count for none
  int buttons_ = 0;
};

// Runs the reaction of control `target` to one pointer event; `local` is in the coordinates of the
// target's container (window coordinates for the window and its direct children).
void React(CaptureForm& form, ControlId target, PointerEvent event, int button, int shift,
           PointF local);

}  // namespace capture
