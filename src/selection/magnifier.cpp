#include "selection/magnifier.h"

#include <cstdio>

#include "form/capture_form.h"
#include "form/monitors.h"
#include "selection/readout.h"

namespace capture {
namespace {

// Between the pointer and the box, in design pixels: the crosshair pointer stays clear of it.
constexpr float kGap = 20;

// Also during a handle drag; and only once the user has moved the pointer, so the frozen screen
// first shows as it was.
bool Wanted(const CaptureForm& form) {
  return form.aim.moved && (Aiming(form) || (form.resizing && !form.tool_active));
}

// The frozen picture (with what is drawn on it) around the pointer; black off the picture.
void Zoom(CaptureForm& form, PointI centre) {
  std::vector<std::uint32_t>& zoom = form[ControlId::MagnifierZoom].zoom;
  zoom.resize(static_cast<std::size_t>(kZoomColumns * kZoomRows));
  std::size_t i = 0;
  for (int dy = -kZoomRows / 2; dy <= kZoomRows / 2; ++dy) {
    for (int dx = -kZoomColumns / 2; dx <= kZoomColumns / 2; ++dx) {
      const Colour c = form.platform.surface.Pixel(centre.x + dx, centre.y + dy);
      zoom[i++] = c == -1 ? 0u : PixelOf(c);
    }
  }
}

void Readout(CaptureForm& form, PointI centre) {
  const Colour colour = form.platform.surface.Pixel(centre.x, centre.y);
  std::int32_t red = 0, green = 0, blue = 0;
  SplitColour(colour == -1 ? 0 : colour, red, green, blue);
  char text[48];
  std::snprintf(text, sizeof text, "(%d, %d)", static_cast<int>(centre.x),
                static_cast<int>(centre.y));
  form[ControlId::MagnifierPosition].caption = Widen(text);
  std::snprintf(text, sizeof text, "RGB(%d, %d, %d)", static_cast<int>(red),
                static_cast<int>(green), static_cast<int>(blue));
  form[ControlId::MagnifierColour].caption = Widen(text);
  std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(red),
                static_cast<unsigned>(green), static_cast<unsigned>(blue));
  const std::u16string& notice = form.aim.notice;
  form[ControlId::MagnifierHex].caption = notice.empty() ? Widen(text) : notice;
}

}  // namespace

bool Aiming(const CaptureForm& form) {
  return !form.tool_active && form.selection_mode == SelectionMode::Draw;
}

void NudgePointer(CaptureForm& form, PointF step) {
  const PointF p = form.aim.pointer;
  form.platform.window.MovePointer({Round(p.x + step.x), Round(p.y + step.y)});
}

PointF MagnifierPlace(PointF pointer, PointF size, float gap, const RectI& monitor) {
  const auto right = static_cast<float>(monitor.right);
  const auto bottom = static_cast<float>(monitor.bottom);
  PointF at{pointer.x + gap, pointer.y + gap};
  if (at.x + size.x > right) at.x = pointer.x - gap - size.x;
  if (at.y + size.y > bottom) at.y = pointer.y - gap - size.y;
  // A monitor too small for both sides: as far in as it goes.
  if (at.x < static_cast<float>(monitor.left)) at.x = static_cast<float>(monitor.left);
  if (at.y < static_cast<float>(monitor.top)) at.y = static_cast<float>(monitor.top);
  return at;
}

void FollowWithMagnifier(CaptureForm& form) {
  Control& box = form[ControlId::Magnifier];
  box.visible = Wanted(form);
  if (!box.visible) return;
  const PointI centre{Round(form.aim.pointer.x), Round(form.aim.pointer.y)};
  const Monitor& monitor = MonitorAt(form.monitors, centre);
  // Before a selection exists the chrome takes the pointer's monitor's scale; a handle drag keeps
  // the selection's.
  if (!form.resizing) form.controls.scale.dpi = monitor.dpi;
  const ChromeScale& scale = form.controls.scale;
  const PointF at = MagnifierPlace(form.aim.pointer, form.controls.Extent(ControlId::Magnifier),
                                   scale(kGap), monitor.area);
  box.left = at.x;
  box.top = at.y;
  Zoom(form, centre);
  Readout(form, centre);
}

}  // namespace capture
