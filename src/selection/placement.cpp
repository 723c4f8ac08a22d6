#include "selection/placement.h"

#include "form/capture_form.h"
#include "form/monitors.h"

namespace capture {

void PlaceHandles(CaptureForm& form) {
  form.ScaleChromeToSelection();
  const ChromeScale& scale = form.controls.scale;
  const Control& selection = form[ControlId::Selection];
  const float L = selection.left, T = selection.top, W = selection.width, H = selection.height;
  // Centre of each handle, in group order (Handle).
  const PointF centre[kHandles] = {{L, T},         {L + W / 2, T},    {L + W, T},
                                   {L, T + H / 2}, {L, T + H},        {L + W / 2, T + H},
                                   {L + W, T + H}, {L + W, T + H / 2}};
  for (int i = 0; i < kHandles; ++i) {
    Control& handle = form[HandleId(i)];
    handle.left = centre[i].x - scale(handle.width) / 2;
    handle.top = centre[i].y - scale(handle.height) / 2;
    // The top-right handle stands a little further in than a centred one would.
    if (i == static_cast<int>(Handle::TopRight)) handle.left = L + W - scale(handle.width) / 1.5f;
  }
  for (int i = 0; i < kHandles; ++i) form[HandleId(i)].visible = true;
}

void PlaceToolbar(CaptureForm& form) {
  form.ScaleChromeToSelection();
  const ChromeScale& scale = form.controls.scale;
  const Control& selection = form[ControlId::Selection];
  Control& strip = form[ControlId::Toolbar];
  // The screen here is the monitor that holds the selection's bottom-right corner.
  const RectI screen = SelectionMonitor(form).area;
  const float width = scale(strip.width), height = scale(strip.height), gap = scale(4);
  const float bottom = selection.top + selection.height + gap + height;
  strip.left = selection.left + selection.width - width;
  if (static_cast<float>(screen.bottom) < bottom) {
    strip.top = selection.top + selection.height - height - gap;
  } else {
    strip.top = selection.top + selection.height + gap;
  }
  // Never left of the monitor; nor, when the corner lies where no monitor shows, off it.
  KeepInside(strip, {width, height}, screen);
  strip.visible = true;
}

}  // namespace capture
