// One pin on the desktop: a borderless, topmost layered window without a taskbar button, showing
// its picture inside a one-pixel outline and a soft shadow. Its procedure turns messages into
// calls on the pin's view (pin/pin_view.h) and the key table (pin/pin_keys.h); copying, saving and
// closing are its owner's.
#pragma once

#include <windows.h>

#include "pin/pin_keys.h"
#include "pin/pin_view.h"
#include "shell/dib.h"
#include "shell/handles.h"

namespace capture::win32 {

class PinWindow {
 public:
  // What a pin asks of the program that holds it.
  class Owner {
   public:
    virtual ~Owner() = default;
    // Copy, Save, Close or CloseAll for this pin; Close and CloseAll destroy it.
    virtual void Act(PinWindow& pin, pin::Command command) = 0;
    // The user's session is ending (WM_ENDSESSION): the program is about to be ended with its
    // pins open.
    virtual void SessionEnding() = 0;
  };

  // The picture, 1:1 with its top-left at `top_left` (screen pixels). Throws std::bad_alloc when
  // its pixels cannot be made; the picture is not kept, its pixels go into the window's own.
  PinWindow(Owner& owner, const Picture& picture, PointI top_left);
  // A kept pin shown again as it was, its picture's top-left at `top_left`.
  PinWindow(Owner& owner, const Picture& picture, const pin::KeptPin& kept, PointI top_left);
  PinWindow(const PinWindow&) = delete;
  PinWindow& operator=(const PinWindow&) = delete;
  ~PinWindow() = default;

  // Makes the window and shows it, above every window, without the keyboard focus. False when it
  // could not be made.
  bool Create(HINSTANCE instance);
  void Show(bool shown);
  // The picture at 100 %, exactly as it was pinned.
  Picture TakePicture() const;
  HWND hwnd() const { return window_.get(); }
  const pin::PinView& view() const { return view_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnKey(WPARAM wparam);
  void OnMenu(PointI at);
  // Does one command; false when it closed the pin (nothing of it may be touched then).
  bool Do(pin::Command command, PointI pointer, PointI step = {});
  // The picture's pixels at 100 % inside the frame of the present DPI.
  void FrameAtActualSize();
  // Puts the window's pixels, place and opacity on the screen.
  void Present();
  // Shows at most the height of the monitor at `top_left`: a taller picture is scrolled.
  void LimitToMonitor(PointI top_left);
  // Only the place and the opacity changed: the pixels the system holds stay.
  void Reposition();

  Owner& owner_;  // not owned
  pin::PinView view_;
  // The picture at 100 % in its frame: the pin's one copy of its pixels.
  Dib framed_;
  OwnedWindow window_;
};

}  // namespace capture::win32
