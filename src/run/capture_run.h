// A run of the capture window: start-up, then every event from the platform routed to a control
// and looked up in the reaction table (run/reactions.cpp), until one of the ends of a run closes
// the window.
#pragma once

#include <string>

#include "annotate/annotate_state.h"
#include "form/capture_form.h"
#include "platform/platform.h"
#include "run/run_error.h"
#include "selection/selection_state.h"

namespace capture {

// What the reactions of a run work on: the window's form, what each behaviour keeps between
// events, and the services. Each reaction hands a behaviour only the parts it uses.
struct RunState {
  CaptureForm& form;
  Platform& services;
  SelectionState selection;
  AnnotateState annotate;
};

class CaptureRun {
 public:
  CaptureRun(CaptureForm& form, Platform& services) : state_{form, services, {}, {}} {}
  CaptureRun(const CaptureRun&) = delete;
  CaptureRun& operator=(const CaptureRun&) = delete;

  CaptureForm& form() { return state_.form; }
  const CaptureForm& form() const { return state_.form; }
  RunState& state() { return state_; }
  const RunState& state() const { return state_; }

  // Runs once, before the window is first shown: freezes the screen into the surface and stores
  // it as the first snapshot. Throws StartupFailed (run_error.h) when the screen cannot be read
  // or a buffer cannot be made; the run cannot go on then.
  void Load();

  // Where the pointer is as the window appears: the move the system reports there is not the
  // user's, and shows neither the suggestion nor the magnifier.
  void PointerAtStart(float x, float y) { state_.selection.aim.first_move = PointF{x, y}; }

  // ---- Window-level input, as the platform unpacks it, at window points: each is turned into the
  // picture's point here, the one place input meets the view (form/view.h). Button codes: see
  // types.h. `shift`: Shift was held. ----
  void MouseDown(int button, float x, float y, bool shift = false);
  void MouseMove(int buttons, float x, float y, bool shift = false);
  void MouseUp(int button, float x, float y, bool shift = false);
  // The second press of a double-click, which Windows sends in place of a press.
  void DoubleClick(int button, float x, float y);
  // The wheel turned by `notches` (away from the user positive) with the pointer at x, y.
  void MouseWheel(int notches, float x, float y);
  // A key went down on the window. A focused text box keeps its keys; only its Escape comes here.
  void KeyPress(const KeyStroke& key);
  // A native text box's text changed (by the user, or mirrored from a change the form made).
  void TextChanged(ControlId box, const std::u16string& text);
  // An item was chosen from the combo box's list; `text` is the combo box's text now.
  void ComboClick(ControlId combo, const std::u16string& text);
  // The timer the run asked the window for has run out.
  void TimerElapsed();
  // The desktop changed under the window (a monitor's DPI, the monitors themselves): the form
  // reads the monitors again, and the chrome takes the scale of its monitor and is laid out anew.
  void DisplayChanged();
  // Another window took the pointer while buttons were held (a modal dialog, the font-size list):
  // the press is over without a release.
  void CaptureLost();
  // Reports a failure that stopped an event half-way: the "错误" box, which takes the pointer as on
  // Windows, so whatever was pressed is let go. The run goes on.
  void ReportFailure(const RunError& error);

 private:
  // Runs what one window event does. An exception it throws is reported in the "错误" box and
  // ends the press; the run goes on.
  template <typename Work>
  void Guarded(Work&& work);
  // The one end of a press that had no release, for a lost pointer and a failed reaction alike:
  // the router lets the press go, a shape being dragged out is taken back and a handle drag ends.
  void AbandonPress();
  void Deliver(const Deliveries& deliveries);
  // The window point (x, y) made the picture's point in place, and returned.
  PointF ToPicture(float& x, float& y) const;
  void Run(const Event& event);

  RunState state_;
};

}  // namespace capture
