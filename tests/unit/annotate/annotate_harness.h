// A capture window with a finished selection and its toolbar, ready for annotating.
#pragma once

#include <utility>

#include "annotate/shape_tools.h"
#include "annotate/style_panel.h"
#include "form_harness.h"
#include "platform/pixels.h"

namespace capture::testing {

inline constexpr Colour kRed = Rgb(255, 0, 0);
inline constexpr Colour kBlue = Rgb(0, 0, 255);

// The selection is at (100, top), 200 x 150, on a 640 x 480 screen; the toolbar hangs below it.
struct AnnotateHarness : FormHarness {
  explicit AnnotateHarness(float top = 100) { Drag(100, top, 300, top + 150); }
  // The same selection on a screen showing the picture.
  explicit AnnotateHarness(Picture screen) : FormHarness(std::move(screen)) {
    Drag(100, 100, 300, 250);
  }

  // A point of a control, in its own coordinates, as a window point (the form's point less the
  // view's offset).
  PointF At(ControlId id, float x, float y) const {
    const PointF o = form.controls.Origin(id);
    const PointI offset = form.view().offset;
    return {o.x + x - static_cast<float>(offset.x), o.y + y - static_cast<float>(offset.y)};
  }
  PointF Centre(ControlId id) const {
    const PointF size = form.controls.Extent(id);
    return At(id, size.x / 2, size.y / 2);
  }
  void ClickOn(ControlId id) {
    const PointF p = Centre(id);
    Click(p.x, p.y);
  }
  void MoveTo(PointF p) { run.MouseMove(0, p.x, p.y); }

  const Picture& Shown() const { return fake.surface.background(); }
  Colour ShownPixel(int x, int y) const { return ColourOf(Shown().at(x, y)); }
};

// The smallest rectangle holding every pixel where the two pictures differ.
inline RectI Changed(const Picture& a, const Picture& b) {
  RectI r;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (a.at(x, y) != b.at(x, y)) r = Union(r, {x, y, x + 1, y + 1});
    }
  }
  return r;
}

inline Picture Crop(const Picture& p, const RectI& r) {
  return CropPixels(PixelView::Of(p), r);
}

}  // namespace capture::testing
