#include "selection/aim_keys.h"

#include <cstdio>

#include "form/capture_form.h"
#include "form/monitors.h"
#include "platform/platform.h"
#include "selection/readout.h"
#include "selection/selection_drag.h"

namespace capture {
namespace {

RectI VirtualScreen(const CaptureForm& form) {
  return {0, 0, Round(form.ScreenWidth()), Round(form.ScreenHeight())};
}

bool SelectionIs(const CaptureForm& form, const SelectionDrag& drag, const RectI& area) {
  return drag.mode == SelectionMode::Move && form.SelectionRect() == area;
}

}  // namespace

void SelectWholeMonitor(CaptureForm& form, SelectionState& selection, const ToolChoice& choice) {
  if (choice.active) return;
  const PointF p = selection.aim.pointer;
  const RectI screen = VirtualScreen(form);
  const RectI monitor =
      Intersect(MonitorAt(form.Monitors(), {Round(p.x), Round(p.y)}).area, screen);
  SelectArea(form, selection.drag, selection.aim,
             SelectionIs(form, selection.drag, monitor) ? screen : monitor);
}

void RecallSelection(CaptureForm& form, SelectionState& selection, const ToolChoice& choice,
                     int steps) {
  Aim& aim = selection.aim;
  if (choice.active) return;
  const long long next = static_cast<long long>(aim.recent_index) + steps;
  if (next < 0 || next >= static_cast<long long>(aim.recent.size())) return;
  aim.recent_index = static_cast<std::size_t>(next);
  const RectI area = Intersect(aim.recent[aim.recent_index], VirtualScreen(form));
  // One that lies wholly where today's screen does not reach is skipped over by the next press.
  if (!area.Empty()) SelectArea(form, selection.drag, aim, area);
}

void CopyColourUnderPointer(CaptureForm& form, Aim& aim, const Surface& surface,
                            Clipboard& clipboard, Window& window, bool numbers) {
  const PointF p = aim.pointer;
  const Colour colour = surface.Pixel(Round(p.x), Round(p.y));
  if (colour == -1) return;  // outside the picture
  std::int32_t red = 0, green = 0, blue = 0;
  SplitColour(colour, red, green, blue);
  char text[32];
  if (numbers) {
    std::snprintf(text, sizeof text, "%d, %d, %d", static_cast<int>(red), static_cast<int>(green),
                  static_cast<int>(blue));
  } else {
    std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(red),
                  static_cast<unsigned>(green), static_cast<unsigned>(blue));
  }
  const bool copied = clipboard.PutText(Widen(text));
  aim.notice = (copied ? u"已复制 " : u"未能复制 ") + Widen(text);
  form[ControlId::ColourLabel].caption = aim.notice;
  window.StartTimer(kNoticeMilliseconds);
}

void TakeNoticeDown(CaptureForm& form, Aim& aim, const Surface& surface) {
  if (aim.notice.empty()) return;  // a move took it down already
  if (form[ControlId::ColourLabel].caption == aim.notice) {
    ColourReadout(form, surface, aim.pointer.x, aim.pointer.y);
  }
  aim.notice.clear();
}

}  // namespace capture
