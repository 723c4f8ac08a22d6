#include "selection/readout.h"

#include <algorithm>
#include <cstdio>

#include "form/capture_form.h"
#include "form/monitors.h"

namespace capture {
namespace {

std::u16string Widen(const char* ascii) {
  std::u16string out;
  for (const char* c = ascii; *c; ++c) out.push_back(static_cast<char16_t>(*c));
  return out;
}

}  // namespace

std::u16string SizeText(float width, float height) {
  // Seven significant digits, no trailing zeros: whole numbers read as integers.
  char text[64];
  std::snprintf(text, sizeof text, "%.7gx%.7g", static_cast<double>(width),
                static_cast<double>(height));
  return Widen(text);
}

std::u16string ColourText(std::int32_t red, std::int32_t green, std::int32_t blue) {
  char text[48];
  std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", static_cast<int>(red), static_cast<int>(green),
                static_cast<int>(blue));
  return Widen(text);
}

void SplitColour(std::int32_t colour, std::int32_t& red, std::int32_t& green, std::int32_t& blue) {
  // C++ division truncates toward zero and % keeps the dividend's sign, as the readout expects:
  // the invalid colour -1 reads as -1, 0, 0.
  red = colour % 256;
  green = (colour / 256) % 256;
  blue = (colour / 65536) % 256;
}

void ColourReadout(CaptureForm& form, const Surface& surface, float x, float y) {
  // While persistent drawing is on this reads the frozen picture with its committed annotations,
  // never the labels, handles or toolbar lying over it.
  const Colour colour = surface.Pixel(Round(x), Round(y));
  std::int32_t red = 0, green = 0, blue = 0;
  SplitColour(colour, red, green, blue);
  form[ControlId::ColourLabel].caption = ColourText(red, green, blue);
}

void PlaceLabels(CaptureForm& form) {
  form.ScaleChromeToSelection();
  const ChromeScale& scale = form.controls.scale;
  const Control& selection = form[ControlId::Selection];
  Control& size_label = form[ControlId::SizeLabel];
  Control& colour_label = form[ControlId::ColourLabel];
  size_label.left = selection.left + scale(2);
  size_label.top = selection.top + scale(2);
  colour_label.left = selection.left + scale(2);
  colour_label.top = size_label.top + scale(size_label.height + 2);

  // A selection that starts where no monitor shows would take its labels out of sight: they move
  // together onto the nearest monitor.
  const PointI corner{Round(size_label.left), Round(size_label.top)};
  const RectI monitor = MonitorAt(form.Monitors(), corner).area;
  if (PtInRect(monitor, corner.x, corner.y)) return;
  const PointF size = form.controls.Extent(ControlId::SizeLabel);
  const PointF colour = form.controls.Extent(ControlId::ColourLabel);
  const PointF offset = OffsetInto(size_label.left, size_label.top,
                                   std::max(size_label.left + size.x, colour_label.left + colour.x),
                                   colour_label.top + colour.y, monitor);
  for (Control* label : {&size_label, &colour_label}) {
    label->left += offset.x;
    label->top += offset.y;
  }
}

}  // namespace capture
