// The magnifier's own window: a small layered window above the capture window that shows the
// form's magnifier (the pixels around the pointer and the readout). It follows every pointer move,
// so it stands apart from the frozen picture's window, which then repaints nothing for it. It
// takes neither the keyboard nor the pointer, and has no taskbar button.
#pragma once

#include <windows.h>

#include "form/controls.h"
#include "shell/control_painter.h"
#include "shell/dib.h"
#include "shell/handles.h"

namespace capture::win32 {

class MagnifierWindow {
 public:
  MagnifierWindow() = default;
  MagnifierWindow(const MagnifierWindow&) = delete;
  MagnifierWindow& operator=(const MagnifierWindow&) = delete;
  ~MagnifierWindow() = default;

  // Makes the window, hidden, owned by the capture window (which destroys it with itself). False
  // when it could not be made.
  bool Create(HINSTANCE instance, HWND owner);
  // Shows the magnifier as `controls` have it, or hides it; draws it again only when it differs
  // from what it shows. `origin` is the capture window's top-left on the screen.
  void Mirror(const Controls& controls, PointI origin);
  // The window, or null when there is none. Not owned by the caller.
  HWND hwnd() const { return window_.get(); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // Paints the magnifier into pixels_ and hands them to the system at its place.
  void Present(const Controls& controls, PointI origin);

  OwnedWindow window_;
  ControlPainter painter_;
  Dib pixels_;         // the magnifier as last shown; the system keeps its own copy
  Controls mirrored_;  // the controls as the window shows them
  PointI origin_;
  bool shown_ = false;
};

}  // namespace capture::win32
