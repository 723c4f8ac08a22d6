// Start-up: freeze the whole screen into the window and store it as the first snapshot.
#include "capture/capture_form.h"

namespace capture {

void CaptureForm::Load() {
  Control& strip = controls[ControlId::Picture1];
  strip.top = -strip.height;
  strip.visible = false;

  Surface& surface = platform.surface;
  surface.SetPersistent(true);
  platform.window.SetPointer(Pointer::Cross);
  // The window is per-monitor DPI aware, so the grab is the whole screen at pixel scale.
  surface.Paste(platform.screen.Grab(), 0, 0);

  store.Start(surface);
  SelMode = kModeDraw;
  DrawOn = false;
}

}  // namespace capture
