// The scale of the chrome: every size of the toolbar, the style panel, the labels and the handles
// is designed in pixels at 96 DPI, and shown at the DPI of the monitor the chrome is on. The
// frozen picture, the selection and whatever is drawn into the picture are never scaled.
#pragma once

namespace capture {

struct ChromeScale {
  int dpi = 96;  // of the monitor the chrome is shown on

  // Design pixels to screen pixels: 241⅓ is 482⅔ at 192 DPI.
  float operator()(float design) const { return design * static_cast<float>(dpi) / 96.f; }
  // Screen pixels back to design pixels.
  float ToDesign(float screen) const { return screen * 96.f / static_cast<float>(dpi); }
  friend bool operator==(const ChromeScale&, const ChromeScale&) = default;
};

}  // namespace capture
