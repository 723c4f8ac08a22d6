#include "selection/suggestion.h"

#include <algorithm>
#include <cstddef>

#include "form/capture_form.h"
#include "form/monitors.h"
#include "selection/readout.h"

namespace capture {
namespace {

// The first element with this parent that holds the point: the topmost, as the list is in z-order.
int TopmostAt(const std::vector<DesktopElement>& elements, int parent, PointI p) {
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const DesktopElement& e = elements[i];
    if (e.parent == parent && PtInRect(e.area, p.x, p.y)) return static_cast<int>(i);
  }
  return -1;
}

// The outline and the size label at the suggestion the level points to.
void ShowSuggestion(CaptureForm& form, const Aim& aim) {
  const RectI r = aim.under_pointer[aim.level];
  Control& outline = form[ControlId::Suggestion];
  outline.left = static_cast<float>(r.left);
  outline.top = static_cast<float>(r.top);
  outline.width = static_cast<float>(r.right - r.left);
  outline.height = static_cast<float>(r.bottom - r.top);
  outline.visible = true;
  form.controls.scale.dpi = MonitorAt(form.Monitors(), {r.left, r.top}).dpi;
  PlaceLabelsAt(form, outline.left, outline.top);
  form[ControlId::SizeLabel].caption = SizeText(outline.width, outline.height);
  // Its size only: the magnifier beside the pointer says the colour.
  form[ControlId::SizeLabel].visible = true;
}

}  // namespace

std::vector<RectI> ElementsUnder(const std::vector<DesktopElement>& elements,
                                 const std::vector<Monitor>& monitors, PointI point) {
  std::vector<RectI> chain;
  for (int i = TopmostAt(elements, -1, point); i >= 0; i = TopmostAt(elements, i, point)) {
    chain.push_back(elements[static_cast<std::size_t>(i)].area);
  }
  chain.push_back(MonitorAt(monitors, point).area);
  std::reverse(chain.begin(), chain.end() - 1);
  chain.erase(std::unique(chain.begin(), chain.end()), chain.end());
  return chain;
}

void Suggest(CaptureForm& form, Aim& aim, float x, float y) {
  aim.under_pointer = ElementsUnder(aim.elements, form.Monitors(), {Round(x), Round(y)});
  aim.level = 0;
  ShowSuggestion(form, aim);
}

void HideSuggestion(CaptureForm& form, Aim& aim) {
  aim.under_pointer.clear();
  aim.level = 0;
  form[ControlId::Suggestion].visible = false;
}

void WheelOnWindow(CaptureForm& form, Aim& aim, int steps) {
  if (aim.under_pointer.empty() || !form[ControlId::Suggestion].visible) return;
  const auto last = static_cast<long long>(aim.under_pointer.size()) - 1;
  aim.level =
      static_cast<std::size_t>(std::clamp(static_cast<long long>(aim.level) + steps, 0LL, last));
  ShowSuggestion(form, aim);
}

std::optional<RectI> Suggested(const CaptureForm& form, const Aim& aim) {
  if (aim.under_pointer.empty()) return std::nullopt;
  const RectI r = Intersect(aim.under_pointer[aim.level],
                            {0, 0, Round(form.ScreenWidth()), Round(form.ScreenHeight())});
  if (r.Empty()) return std::nullopt;
  return r;
}

}  // namespace capture
