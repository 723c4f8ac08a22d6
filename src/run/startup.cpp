// Start-up: freeze the whole screen into the window and store it as the first snapshot.
#include <new>

#include "run/capture_run.h"
#include "run/run_error.h"

namespace capture {
namespace {

// Every step is checked: a screen that was not read, or a buffer that was not made, must never
// show as a black picture that looks like a capture.
void FreezeScreen(CaptureForm& form, Surface& surface, Screen& screen) {
  // The window is per-monitor DPI aware, so the grab is the whole screen at pixel scale, read
  // straight into the surface: the frozen picture is never copied, and it is snapshot 1 as well.
  if (!surface.Freeze(screen) || surface.Size().width <= 0 || surface.Size().height <= 0) {
    throw StartupFailed({run_error::kScreenUnreadable, u"无法读取屏幕"});
  }
  form.history.Start(surface);
}

}  // namespace

void CaptureRun::Load() {
  CaptureForm& form = state_.form;
  Platform& services = state_.services;
  form.controls.scale.dpi = form.Monitors().front().dpi;
  Control& strip = form[ControlId::Toolbar];
  strip.top = -form.controls.scale(strip.height);
  strip.visible = false;

  services.surface.EndPreview();  // drawing goes into the picture until a shape starts
  services.window.SetPointer(Pointer::Cross);
  try {
    FreezeScreen(form, services.surface, services.screen);
  } catch (const std::bad_alloc&) {
    throw StartupFailed(OutOfMemoryError());
  }
  state_.selection.drag.mode = SelectionMode::Draw;
  state_.annotation.choice.active = false;
}

}  // namespace capture
