// The capture window: one borderless window over the whole screen. Its window procedure only
// unpacks messages into plain values and hands them to the run (CaptureRun); after every event it
// mirrors the form's controls and surface onto the screen.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "form/capture_form.h"
#include "platform/platform.h"
#include "run/capture_run.h"
#include "run/run_error.h"
#include "shell/control_painter.h"
#include "shell/cursors.h"
#include "shell/dib.h"
#include "shell/handles.h"
#include "shell/magnifier_window.h"
#include "shell/native_controls.h"
#include "shell/win32_surface.h"

namespace capture::win32 {

// The class of the capture window; another process of the program looks for it.
inline constexpr wchar_t kCaptureClass[] = L"CaptureWindow";

class CaptureWindow : public Window {
 public:
  // `cursors` outlives the window: the process's, so that each capture does not make its own.
  CaptureWindow(Win32Surface& surface, Cursors& cursors) : surface_(surface), cursors_(cursors) {}
  CaptureWindow(const CaptureWindow&) = delete;
  CaptureWindow& operator=(const CaptureWindow&) = delete;
  ~CaptureWindow() override;

  // Creates the window, hidden, over `area` (the virtual screen, in the system's coordinates), and
  // its native controls; the form receives its events from then on, in window coordinates.
  // False when the window could not be made.
  bool Create(HINSTANCE instance, CaptureRun& run, RectI area);
  // Mirrors the form, shows the window, takes the keyboard and paints at once.
  void Show();
  // Takes the window off the screen as it is, for the live screen to show (长截图); Show brings
  // it back.
  void Hide();
  // The run has closed the window, or asked to: it is not to be shown again.
  bool Closing() const { return close_requested_ || !hwnd() || (form_ && form_->Closed()); }
  // Puts the model on the screen now (what changed since the last event), running no other
  // message: for a reaction that opens a modal dialog.
  void Refresh();
  // Runs the message loop until the window is gone; the program's exit status.
  int Run();
  // The window, or null once it has been destroyed. Not owned by the caller.
  HWND hwnd() const { return window_.get(); }
  // The native child standing for a control (TextBox, FontSizeField, FontSizeList), or null.
  HWND NativeHandle(ControlId id) const { return native_.Handle(id); }
  // The magnifier's own window, or null. Not owned by the caller.
  HWND MagnifierHandle() const { return magnifier_.hwnd(); }

  // ---- Window ----
  void SetPointer(Pointer pointer) override;
  void Close() override { close_requested_ = true; }
  void PumpEvents() override;
  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(std::max(0, milliseconds))); }
  void FocusTextBox() override;
  bool FontSizeListDropped() override;
  void ShowFontSizeList(bool show) override;
  SizeI DragDistance() override;
  void MovePointer(PointI picture_point) override;
  void StartTimer(int milliseconds) override;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMouse(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnCommand(WPARAM wparam, LPARAM lparam);
  LRESULT OnKeyDown(WPARAM wparam);
  LRESULT OnWheel(WPARAM wparam, LPARAM lparam);
  LRESULT OnCaptureLost();
  LRESULT OnTimer();
  // Shows the "错误" box for a message whose handling threw; the window goes on.
  void ReportFailure(const RunError& error) noexcept;
  // SetCapture while any button is held, ReleaseCapture once none is: the one place for both.
  void HoldPointer(int buttons);
  // Brings the screen in line with the form: invalidates what changed, mirrors the native
  // controls and the magnifier, and destroys the window once the form has closed.
  void Sync();
  // Paints the window layer and the controls over the given window areas.
  void Paint(HDC dc, const std::vector<RectI>& areas);
  // Copies the window area `area` of the window layer, moved by the view, to (x, y) of `to`;
  // where the picture does not reach (a view of a narrower or shorter picture), a dark grey.
  void PaintLayer(HDC to, int x, int y, const RectI& area) const;
  // The form's controls where the window shows them: those on the window moved by the view.
  Controls WindowControls() const;
  std::vector<RectI> UpdateAreas() const;

  Win32Surface& surface_;
  CaptureRun* run_ = nullptr;    // not owned: the events go here
  CaptureForm* form_ = nullptr;  // not owned: the run's form, which the screen mirrors
  OwnedWindow window_;
  NativeControls native_;
  MagnifierWindow magnifier_;  // owned by the window too: destroyed with it
  Cursors& cursors_;           // not owned
  ControlPainter painter_;
  Dib back_buffer_;         // painting of areas with controls in them happens here first
  Controls mirrored_;       // the controls as the screen shows them, in window coordinates
  PointI mirrored_offset_;  // the view's offset the screen shows
  Brush edit_background_;
  Brush no_picture_;  // where a view's picture does not reach
  Pointer pointer_ = Pointer::Default;
  int held_ = 0;  // buttons held since a press on the window
  bool close_requested_ = false;
  bool reporting_ = false;  // the "错误" box for a failed message is up
};

}  // namespace capture::win32
