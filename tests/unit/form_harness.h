// A started capture window on the fake platform, with gestures as the platform would deliver them.
#pragma once

#include <gtest/gtest.h>

#include "form/capture_form.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"

namespace capture::testing {

struct FormHarness {
  explicit FormHarness(int width = 640, int height = 480)
      : FormHarness(fake::NoisePicture(width, height)) {}
  // A screen showing the given picture.
  explicit FormHarness(Picture screen)
      : fake(std::move(screen)), form(fake.window, fake.screen), run(form, fake.platform) {
    run.Load();
  }

  // Press at the start, one move to the end with the button held, release there.
  void Drag(float x1, float y1, float x2, float y2, int button = button::kLeft) {
    run.MouseDown(button, x1, y1);
    run.MouseMove(button, x2, y2);
    run.MouseUp(button, x2, y2);
  }
  void Click(float x, float y, int button = button::kLeft) {
    run.MouseDown(button, x, y);
    run.MouseUp(button, x, y);
  }
  // As Windows delivers it with CS_DBLCLKS: press, release, double-click, release.
  void DoubleClick(float x, float y) {
    Click(x, y);
    run.DoubleClick(button::kLeft, x, y);
    run.MouseUp(button::kLeft, x, y);
  }
  Control& operator[](ControlId id) { return form[id]; }
  // What the behaviours keep between events.
  SelectionState& selection() { return run.state().selection; }
  SelectionDrag& drag() { return run.state().selection.drag; }
  const SelectionDrag& drag() const { return run.state().selection.drag; }
  ToolChoice& choice() { return run.state().annotate.choice; }
  ToolDrag& tool_drag() { return run.state().annotate.tool_drag; }

  fake::FakePlatform fake;
  CaptureForm form;
  CaptureRun run;  // the events go here
};

}  // namespace capture::testing
