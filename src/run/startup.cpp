// Start-up: freeze the whole screen into the window; the first document is that picture alone.
#include <new>

#include "run/capture_run.h"
#include "run/run_error.h"

namespace capture {
namespace {

// Every step is checked: a screen that was not read, or a buffer that was not made, must never
// show as a black picture that looks like a capture.
// The windows are listed right after the grab, as the picture shows them: they may move
// afterwards, the picture does not.
void FreezeScreen(CaptureForm& form, Aim& aim, Surface& surface, Screen& screen) {
  // The window is per-monitor DPI aware, so the grab is the whole screen at pixel scale, read
  // straight into the surface: the frozen picture is never copied, and every document is drawn on
  // it.
  if (!surface.Freeze(screen) || surface.Size().width <= 0 || surface.Size().height <= 0) {
    throw StartupFailed({run_error::kScreenUnreadable, u"无法读取屏幕"});
  }
  aim.elements = screen.Elements();
  form.history.Start();
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
    FreezeScreen(form, state_.selection.aim, services.surface, services.screen);
  } catch (const std::bad_alloc&) {
    throw StartupFailed(OutOfMemoryError());
  }
  state_.selection.drag.mode = SelectionMode::Draw;
  state_.annotate.choice.active = false;
}

}  // namespace capture
