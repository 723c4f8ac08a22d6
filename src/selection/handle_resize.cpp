#include "selection/handle_resize.h"

#include <array>

#include "annotate/text_tool.h"
#include "form/capture_form.h"
#include "selection/placement.h"
#include "selection/readout.h"

namespace capture {
namespace {

// The pointer each handle shows, in group order.
constexpr std::array<Pointer, kHandles> kHandlePointer = {
    Pointer::SizeNWSE, Pointer::SizeNS, Pointer::SizeNESW, Pointer::SizeWE,
    Pointer::SizeNESW, Pointer::SizeNS, Pointer::SizeNWSE, Pointer::SizeWE};

struct Geometry {
  float left, top, width, height;
};

// The selection with the handle's top-left at the pointer (x, y). A moved left or top edge
// lands on the handle's centre; a moved bottom edge on y; a moved right edge on x, or on the
// handle's centre for the top-right handle. Edges the handle does not own stay where they were
// at the press.
Geometry Resized(const CaptureForm& form, Handle handle, float x, float y, float w, float h) {
  const float L = form.resize_left, T = form.resize_top, R = form.resize_right,
              B = form.resize_bottom;
  const float left = x + w / 2, top = y + h / 2;
  switch (handle) {
    case Handle::TopLeft:
      return {left, top, R - left, B - top};
    case Handle::Top:
      return {L, top, R - L, B - top};
    case Handle::TopRight:
      return {L, top, x - L + w / 2, B - top};
    case Handle::Left:
      return {left, T, R - left, B - T};
    case Handle::BottomLeft:
      return {left, T, R - left, y - T};
    case Handle::Bottom:
      return {L, T, R - L, y - T};
    case Handle::BottomRight:
      return {L, T, x - L, y - T};
    case Handle::Right:
      break;
  }
  return {L, T, x - L, B - T};
}

}  // namespace

void PressOnHandle(CaptureForm& form) {
  // Typed text becomes an annotation before anything else happens to the selection.
  CommitOpenTextBox(form);
  if (form.history.Current() == 1) form.tool_active = false;
  if (form.tool_active) return;
  if (form.selection_mode != SelectionMode::Move) return;
  form.resizing = true;

  const Control& selection = form[ControlId::Selection];
  form.resize_left = selection.left;
  form.resize_top = selection.top;
  form.resize_right = selection.left + selection.width;
  form.resize_bottom = selection.top + selection.height;
  form[ControlId::Toolbar].visible = false;
  form[ControlId::StylePanel].visible = false;
  // Annotations already drawn stay on the picture but can no longer be undone one by one.
  form.history.Truncate();
}

void MoveOnHandle(CaptureForm& form, Handle handle, float x, float y) {
  form.platform.window.SetPointer(kHandlePointer[static_cast<std::size_t>(handle)]);
  if (!form.resizing) return;

  // The handles sit on the window itself, so the move's point is the pointer's window position.
  Control& moved = form[HandleId(handle)];
  moved.left = x;
  moved.top = y;

  // A width or height below zero means the pointer crossed the opposite edge: the update is
  // refused as a whole and the selection keeps its last accepted geometry.
  const PointF size = form.controls.Extent(HandleId(handle));
  const Geometry g = Resized(form, handle, x, y, size.x, size.y);
  Control& selection = form[ControlId::Selection];
  if (g.width >= 0 && g.height >= 0) {
    selection.left = g.left;
    selection.top = g.top;
    selection.width = g.width;
    selection.height = g.height;
  }

  PlaceHandles(form);
  form[ControlId::SizeLabel].caption = SizeText(selection.width, selection.height);
  PlaceLabels(form);
  form.anchor_x = selection.left;
  form.anchor_y = selection.top;
}

void ReleaseOnHandle(CaptureForm& form) {
  form.resizing = false;
  PlaceToolbar(form);
}

}  // namespace capture
