#include "selection/magnifier.h"

#include <cstdio>

#include "form/capture_form.h"
#include "form/monitors.h"
#include "platform/platform.h"
#include "selection/readout.h"

namespace capture {
namespace {

// Between the pointer and the box, in design pixels: the crosshair pointer stays clear of it.
constexpr float kGap = 20;

// Also during a handle drag; and only once the user has moved the pointer, so the frozen screen
// first shows as it was.
bool Wanted(const SelectionState& selection, const ToolChoice& choice) {
  return selection.aim.moved &&
         (Aiming(selection.drag, choice) || (selection.resize && !choice.active));
}

// The frozen picture (with what is drawn on it) around the pointer; black off the picture.
void Zoom(CaptureForm& form, const Surface& surface, PointI centre) {
  std::vector<std::uint32_t>& zoom = form[ControlId::MagnifierZoom].zoom;
  zoom.resize(static_cast<std::size_t>(kZoomColumns) * static_cast<std::size_t>(kZoomRows));
  std::size_t i = 0;
  for (int dy = -kZoomRows / 2; dy <= kZoomRows / 2; ++dy) {
    for (int dx = -kZoomColumns / 2; dx <= kZoomColumns / 2; ++dx) {
      const Colour c = surface.Pixel(centre.x + dx, centre.y + dy);
      zoom[i++] = c == -1 ? 0u : PixelOf(c);
    }
  }
}

void Readout(CaptureForm& form, const Aim& aim, const Surface& surface, PointI centre) {
  const Colour colour = surface.Pixel(centre.x, centre.y);
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
  const std::u16string& notice = aim.notice;
  form[ControlId::MagnifierHex].caption = notice.empty() ? Widen(text) : notice;
}

}  // namespace

bool Aiming(const SelectionDrag& drag, const ToolChoice& choice) {
  return !choice.active && drag.mode == SelectionMode::Draw;
}

void NudgePointer(const Aim& aim, Window& window, PointF step) {
  window.MovePointer({Round(aim.pointer.x + step.x), Round(aim.pointer.y + step.y)});
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

void FollowWithMagnifier(CaptureForm& form, const SelectionState& selection,
                         const ToolChoice& choice, const Surface& surface) {
  const Aim& aim = selection.aim;
  Control& box = form[ControlId::Magnifier];
  box.visible = Wanted(selection, choice);
  if (!box.visible) return;
  const PointI centre{Round(aim.pointer.x), Round(aim.pointer.y)};
  const Monitor& monitor = MonitorAt(form.Monitors(), centre);
  // Before a selection exists the chrome takes the pointer's monitor's scale; a handle drag keeps
  // the selection's.
  if (!selection.resize) form.controls.scale.dpi = monitor.dpi;
  const ChromeScale& scale = form.controls.scale;
  const PointF at = MagnifierPlace(aim.pointer, form.controls.Extent(ControlId::Magnifier),
                                   scale(kGap), monitor.area);
  box.left = at.x;
  box.top = at.y;
  Zoom(form, surface, centre);
  Readout(form, aim, surface, centre);
}

}  // namespace capture
