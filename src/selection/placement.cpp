#include "selection/placement.h"

#include "form/capture_form.h"
#include "form/monitors.h"

namespace capture {

void ImageMove(CaptureForm& form) {
  const Control& selection = form[ControlId::Shape1];
  const float L = selection.left, T = selection.top, W = selection.width, H = selection.height;
  // Centre of each handle, by index: corners and edge midpoints, clockwise from the top-left
  // with the left edge's midpoint at 3 and the right edge's at 7.
  const PointF centre[8] = {{L, T},     {L + W / 2, T},     {L + W, T},     {L, T + H / 2},
                            {L, T + H}, {L + W / 2, T + H}, {L + W, T + H}, {L + W, T + H / 2}};
  for (int i = 0; i < 8; ++i) {
    Control& handle = form[Image1(i)];
    handle.left = centre[i].x - handle.width / 2;
    handle.top = centre[i].y - handle.height / 2;
    // The top-right handle stands a little further in than a centred one would.
    if (i == 2) handle.left = L + W - handle.width / 1.5f;
  }
  for (int i = 0; i < 8; ++i) form[Image1(i)].visible = true;
}

void PlaceToolbar(CaptureForm& form) {
  const Control& selection = form[ControlId::Shape1];
  Control& strip = form[ControlId::Picture1];
  // The screen here is the monitor that holds the selection's bottom-right corner.
  const RectI screen = SelectionMonitorArea(form);
  const float bottom = selection.top + selection.height + 4 + strip.height;
  strip.left = selection.left + selection.width - strip.width;
  if (static_cast<float>(screen.bottom) < bottom) {
    strip.top = selection.top + selection.height - strip.height - 4;
  } else {
    strip.top = selection.top + selection.height + 4;
  }
  // Never left of the monitor; nor, when the corner lies where no monitor shows, off it.
  KeepInside(strip, screen);
  strip.visible = true;
}

}  // namespace capture
