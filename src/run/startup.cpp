// Start-up: freeze the whole screen into the window and store it as the first snapshot.
#include <new>

#include "run/capture_run.h"
#include "run/run_error.h"

namespace capture {
namespace {

// Every step is checked: a screen that was not read, or a buffer that was not made, must never
// show as a black picture that looks like a capture.
void FreezeScreen(CaptureForm& form) {
  Surface& surface = form.platform.surface;
  // The window is per-monitor DPI aware, so the grab is the whole screen at pixel scale.
  const Picture screen = form.platform.screen.Grab();
  const SizeI size{screen.width, screen.height};
  if (size.width <= 0 || size.height <= 0 ||
      screen.pixels.size() !=
          static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height)) {
    throw StartupFailed({run_error::kScreenUnreadable, u"无法读取屏幕"});
  }
  surface.Paste(screen, 0, 0);
  if (surface.Size() != size) throw StartupFailed(OutOfMemoryError());
  form.store.Start(surface);
}

}  // namespace

void CaptureRun::Load() {
  CaptureForm& form = form_;
  form.controls.scale.dpi = form.monitors.front().dpi;
  Control& strip = form[ControlId::Picture1];
  strip.top = -form.controls.scale(strip.height);
  strip.visible = false;

  form.platform.surface.SetPersistent(true);
  form.platform.window.SetPointer(Pointer::Cross);
  try {
    FreezeScreen(form);
  } catch (const std::bad_alloc&) {
    throw StartupFailed(OutOfMemoryError());
  }
  form.SelMode = SelectionMode::Draw;
  form.DrawOn = false;
}

}  // namespace capture
