// CaptureForm: the one full-screen window of a run: its child controls, the history and the
// monitors, with the operations on them that every behaviour shares (hiding the selection's
// chrome, closing). What each behaviour keeps between events is its own (selection/, annotate/);
// input reaches them through the run (run/capture_run.h), and the platform shows what the form
// holds.
#pragma once

#include <vector>

#include "form/controls.h"
#include "form/event_router.h"
#include "form/history.h"
#include "form/view.h"
#include "platform/platform.h"

namespace capture {

class CaptureForm {
 public:
  // The window it closes, and the screen it covers.
  CaptureForm(Window& window, const Screen& screen);
  CaptureForm(const CaptureForm&) = delete;
  CaptureForm& operator=(const CaptureForm&) = delete;

  // True once the window has been closed: the platform ends the program.
  bool Closed() const { return closed_; }

  // Hides the selection's outline, its size and colour labels and its eight handles.
  void HideSelectionChrome();
  // Closes the capture window; the program ends after the current reaction.
  void CloseWindow();

  // The snapshots that undo and redo step through.
  History history;
  Controls controls;

  Control& operator[](ControlId id) { return controls[id]; }
  const Control& operator[](ControlId id) const { return controls[id]; }

  // The desktop's monitors as the screen listed them when the form was made or at the last
  // display change, in the form's coordinates: moved by the view, so that the chrome placed on
  // them stays where the window shows it.
  const std::vector<Monitor>& Monitors() const { return monitors_; }
  // Lists the monitors again, after a display change or a change of the view.
  void ReadMonitors();

  // How the window shows the picture; no view while the picture is the screen.
  const View& view() const { return view_; }
  // Shows `picture` (its size), made from the window's area `source`, instead of the screen: its
  // top-left where the source's is, scrolled to the top; the monitors are read again in the
  // picture's coordinates.
  void ShowPicture(SizeI picture, const RectI& source);
  // Scrolls the view by `rows` (down positive), kept within its range; false when it did not move
  // (no view, or already at that end).
  bool ScrollView(int rows);
  // The chrome takes the DPI of the monitor that holds the selection's bottom-right corner, the
  // one the toolbar is placed on; every placement around the selection calls this first.
  void ScaleChromeToSelection();

  // The picture's size in pixels: the virtual screen (every monitor, as the window covers them),
  // or the picture a view shows.
  float ScreenWidth() const;
  float ScreenHeight() const;
  // The selection rectangle: the Selection control's geometry, the one place it is kept, with its
  // edges taken to whole pixels.
  RectI SelectionRect() const;

  // Who receives each pointer event; the run's reaction table says what it does.
  EventRouter router;

 private:
  Window& window_;
  const Screen& screen_;
  std::vector<Monitor> monitors_;
  View view_;
  bool closed_ = false;
};

}  // namespace capture
