// A started capture window on the fake platform, with gestures as the platform would deliver them.
#pragma once

#include <gtest/gtest.h>

#include "capture/capture_form.h"
#include "platform/fake/fake_platform.h"

namespace capture::testing {

struct FormHarness {
  explicit FormHarness(int width = 640, int height = 480)
      : FormHarness(fake::NoisePicture(width, height)) {}
  // A screen showing the given picture.
  explicit FormHarness(Picture screen) : fake(std::move(screen)), form(fake.platform) {
    form.Load();
  }

  // Press at the start, one move to the end with the button held, release there.
  void Drag(float x1, float y1, float x2, float y2, int button = button::kLeft) {
    form.MouseDown(button, 0, x1, y1);
    form.MouseMove(button, 0, x2, y2);
    form.MouseUp(button, 0, x2, y2);
  }
  void Click(float x, float y, int button = button::kLeft) {
    form.MouseDown(button, 0, x, y);
    form.MouseUp(button, 0, x, y);
  }
  // As Windows delivers it with CS_DBLCLKS: press, release, double-click, release.
  void DoubleClick(float x, float y) {
    Click(x, y);
    form.DoubleClick(button::kLeft, 0, x, y);
    form.MouseUp(button::kLeft, 0, x, y);
  }
  Control& operator[](ControlId id) { return form[id]; }

  fake::FakePlatform fake;
  CaptureForm form;
};

}  // namespace capture::testing
