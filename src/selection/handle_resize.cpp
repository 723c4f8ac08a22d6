#include "selection/handle_resize.h"

#include <array>

#include "annotate/text_tool.h"
#include "form/capture_form.h"
#include "platform/platform.h"
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
Geometry Resized(const HandleDrag& drag, float x, float y, float w, float h) {
  const float L = drag.left, T = drag.top, R = drag.right, B = drag.bottom;
  const float left = x + w / 2, top = y + h / 2;
  switch (drag.handle) {
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

void PressOnHandle(CaptureForm& form, SelectionState& selection, AnnotateState& annotate,
                   Surface& surface, Handle handle) {
  // Typed text becomes an annotation before anything else happens to the selection.
  CommitOpenTextBox(form, annotate, surface);
  if (form.history.Current() == 1) annotate.choice.active = false;
  if (annotate.choice.active) return;
  if (selection.drag.mode != SelectionMode::Move) return;

  const Control& rect = form[ControlId::Selection];
  selection.resize =
      HandleDrag{handle, rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
  form[ControlId::Toolbar].visible = false;
  form[ControlId::StylePanel].visible = false;
}

void MoveOnHandle(CaptureForm& form, SelectionState& selection, Window& window, Handle handle,
                  float x, float y) {
  window.SetPointer(kHandlePointer[static_cast<std::size_t>(handle)]);
  if (!selection.resize) return;
  const HandleDrag& drag = *selection.resize;

  // The handles sit on the window itself, so the move's point is the pointer's window position.
  Control& moved = form[HandleId(drag.handle)];
  moved.left = x;
  moved.top = y;

  // A width or height below zero means the pointer crossed the opposite edge: the update is
  // refused as a whole and the selection keeps its last accepted geometry.
  const PointF size = form.controls.Extent(HandleId(drag.handle));
  const Geometry g = Resized(drag, x, y, size.x, size.y);
  Control& rect = form[ControlId::Selection];
  if (g.width >= 0 && g.height >= 0) {
    rect.left = g.left;
    rect.top = g.top;
    rect.width = g.width;
    rect.height = g.height;
  }

  PlaceHandles(form);
  form[ControlId::SizeLabel].caption = SizeText(rect.width, rect.height);
  PlaceLabels(form);
  selection.drag.anchor = {rect.left, rect.top};
}

void ReleaseOnHandle(CaptureForm& form, SelectionState& selection) {
  selection.resize.reset();
  PlaceToolbar(form);
}

void AbandonHandleDrag(CaptureForm& form, SelectionState& selection) noexcept {
  // Left on, the drag would go on resizing whenever the pointer passes over a handle.
  if (!selection.resize) return;
  ReleaseOnHandle(form, selection);
}

}  // namespace capture
