#include "form/controls.h"

#include <cmath>

namespace capture {

bool Controls::ShownOnScreen(ControlId id) const {
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    if (!(*this)[c].visible) return false;
  }
  return true;
}

bool Controls::InOwnWindow(ControlId id) const {
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    if ((*this)[c].own_window) return true;
  }
  return false;
}

bool Controls::Within(ControlId id, ControlId root) const {
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    if (c == root) return true;
  }
  return false;
}

PointF Controls::Origin(ControlId id) const {
  PointF p;
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    const Control& control = (*this)[c];
    // A control on the window was placed in window pixels; a child's offset is a design size.
    const bool on_window = control.container == ControlId::Window;
    p.x += on_window ? control.left : scale(control.left);
    p.y += on_window ? control.top : scale(control.top);
  }
  return p;
}

PointF Controls::Extent(ControlId id) const {
  const Control& c = (*this)[id];
  if (c.in_picture_pixels) return {c.width, c.height};
  return {scale(c.width), scale(c.height)};
}

PointF Controls::ToContainer(ControlId id, PointF window_point) const {
  const ControlId container = (*this)[id].container;
  if (container == ControlId::Window) return window_point;
  const PointF origin = Origin(container);
  return {scale.ToDesign(window_point.x - origin.x), scale.ToDesign(window_point.y - origin.y)};
}

RectI Controls::Bounds(ControlId id) const {
  const PointF o = Origin(id), e = Extent(id);
  float x1 = o.x, y1 = o.y, x2 = o.x + e.x, y2 = o.y + e.y;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  // One pixel of slack covers outlines drawn on the far edge and rounding of fractional sizes.
  return {
      static_cast<std::int32_t>(std::floor(x1)) - 1, static_cast<std::int32_t>(std::floor(y1)) - 1,
      static_cast<std::int32_t>(std::ceil(x2)) + 2, static_cast<std::int32_t>(std::ceil(y2)) + 2};
}

ControlId Controls::HitTest(PointF p) const {
  auto contains = [this, p](ControlId id) {
    const PointF o = Origin(id), e = Extent(id);
    return o.x <= p.x && p.x < o.x + e.x && o.y <= p.y && p.y < o.y + e.y;
  };
  for (auto it = paint_order_.rbegin(); it != paint_order_.rend(); ++it) {
    const ControlId id = *it;
    if (!(*this)[id].TakesPointer() || !ShownOnScreen(id) || !contains(id)) continue;
    // A child is seen only inside its containers.
    bool clipped = false;
    for (ControlId c = (*this)[id].container; c != ControlId::Window; c = (*this)[c].container) {
      if (!contains(c)) clipped = true;
    }
    if (!clipped) return id;
  }
  return ControlId::Window;
}

GroupMember GroupOf(ControlId id) {
  constexpr std::array<GroupMember, 8> kGroups = {{{ControlId::Handle_0, kHandles},
                                                   {ControlId::MarkHandle_0, kHandles},
                                                   {ControlId::Choice_0, kChoices},
                                                   {ControlId::ChoiceMark_0, kChoices},
                                                   {ControlId::Button_0, kToolbarButtons},
                                                   {ControlId::ComboLook_0, kComboLooks},
                                                   {ControlId::HoverSquare_0, kToolbarButtons},
                                                   {ControlId::Swatch_0, kSwatches}}};
  for (const auto& [first, count] : kGroups) {
    const int index = int(id) - int(first);
    if (0 <= index && index < count) return {first, index};
  }
  return {id, -1};
}

}  // namespace capture
