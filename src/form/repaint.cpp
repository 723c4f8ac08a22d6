#include "form/repaint.h"

#include <array>
#include <cstddef>

namespace capture {
namespace {

bool SameLook(const Control& a, const Control& b) {
  return a.width == b.width && a.height == b.height && a.back_colour == b.back_colour &&
         a.fore_colour == b.fore_colour && a.border_colour == b.border_colour &&
         a.fill_colour == b.fill_colour && a.has_border == b.has_border &&
         a.has_fill == b.has_fill && a.border_width == b.border_width && a.zoom == b.zoom &&
         a.caption == b.caption && a.picture == b.picture && a.font_points == b.font_points;
}

// Where a control is seen: its bounds, or for an unfilled shape the four sides of its outline.
void AddFootprint(const Controls& controls, ControlId id, std::vector<RectI>& out) {
  const RectI r = controls.Bounds(id);
  const Control& c = controls[id];
  if (c.kind != ControlKind::Shape || c.has_fill || r.right - r.left <= 6 ||
      r.bottom - r.top <= 6) {
    out.push_back(r);
    return;
  }
  // Bounds() leaves a pixel of slack on each side; each strip is three pixels thick.
  out.push_back({r.left, r.top, r.right, r.top + 3});
  out.push_back({r.left, r.bottom - 3, r.right, r.bottom});
  out.push_back({r.left, r.top + 3, r.left + 3, r.bottom - 3});
  out.push_back({r.right - 3, r.top + 3, r.right, r.bottom - 3});
}

// Whether a control must be drawn again: shown in either state, and shown or hidden, moved,
// rescaled or given another look.
bool Changed(const Controls& before, const Controls& after, ControlId id, bool shown_before,
             bool shown_after, bool rescaled) {
  if (!shown_before && !shown_after) return false;
  if (rescaled || shown_before != shown_after) return true;
  const PointF o1 = before.Origin(id), o2 = after.Origin(id);
  return o1.x != o2.x || o1.y != o2.y || !SameLook(before[id], after[id]);
}

}  // namespace

bool OwnWindowChanged(const Controls& before, const Controls& after, ControlId root) {
  const bool rescaled = !(before.scale == after.scale);
  for (const Control& c : after.All()) {
    if (after.Within(c.id, root) && Changed(before, after, c.id, before.ShownOnScreen(c.id),
                                            after.ShownOnScreen(c.id), rescaled)) {
      return true;
    }
  }
  return false;
}

std::vector<RectI> ChangedAreas(const Controls& before, const Controls& after) {
  std::vector<RectI> areas;
  // At another DPI every piece of chrome has another size, wherever it stands.
  const bool rescaled = !(before.scale == after.scale);
  std::array<bool, static_cast<std::size_t>(ControlId::Count)> repainted{};
  for (const Control& c : after.All()) {
    const ControlId id = c.id;
    const bool shown_before = before.ShownOnScreen(id);
    const bool shown_after = after.ShownOnScreen(id);
    if (!Changed(before, after, id, shown_before, shown_after, rescaled)) continue;
    if (after.InOwnWindow(id)) continue;
    repainted[static_cast<std::size_t>(id)] = true;
    // A child is seen only inside its container: the container's areas hold it already.
    if (c.container != ControlId::Window && repainted[static_cast<std::size_t>(c.container)]) {
      continue;
    }
    if (shown_before) AddFootprint(before, id, areas);
    if (shown_after) AddFootprint(after, id, areas);
  }
  return areas;
}

}  // namespace capture
