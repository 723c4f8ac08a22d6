#include "selection/handle_resize.h"

#include "annotate/text_tool.h"
#include "form/capture_form.h"
#include "selection/placement.h"
#include "selection/readout.h"

namespace capture {
namespace {

// The pointer each handle shows, by index.
constexpr Pointer kHandlePointer[8] = {Pointer::SizeNWSE, Pointer::SizeNS,   Pointer::SizeNESW,
                                       Pointer::SizeWE,   Pointer::SizeNESW, Pointer::SizeNS,
                                       Pointer::SizeNWSE, Pointer::SizeWE};

struct Geometry {
  float left, top, width, height;
};

// The selection with handle `index`'s top-left at the pointer (x, y). A moved left or top edge
// lands on the handle's centre; a moved bottom edge on y; a moved right edge on x, or on the
// handle's centre for the top-right handle. Edges the handle does not own stay where they were
// at the press.
Geometry Resized(const CaptureForm& form, int index, float x, float y, float w, float h) {
  const float L = form.SelLeft, T = form.SelTop, R = form.SelRight, B = form.SelBottom;
  const float left = x + w / 2, top = y + h / 2;
  switch (index) {
    case 0:
      return {left, top, R - left, B - top};
    case 1:
      return {L, top, R - L, B - top};
    case 2:
      return {L, top, x - L + w / 2, B - top};
    case 3:
      return {left, T, R - left, B - T};
    case 4:
      return {left, T, R - left, y - T};
    case 5:
      return {L, T, R - L, y - T};
    case 6:
      return {L, T, x - L, y - T};
    default:
      return {L, T, x - L, B - T};
  }
}

}  // namespace

void Image1_MouseDown(CaptureForm& form) {
  // Typed text becomes an annotation before anything else happens to the selection.
  CommitOpenTextBox(form);
  if (form.store.SnapIdx == 1) form.DrawOn = false;
  if (form.DrawOn) return;
  if (form.SelMode != SelectionMode::Move) return;
  form.SizeState = Sizing::Start;

  const Control& selection = form[ControlId::Shape1];
  form.SelLeft = selection.left;
  form.SelTop = selection.top;
  form.SelRight = selection.left + selection.width;
  form.SelBottom = selection.top + selection.height;
  form[ControlId::Picture1].visible = false;
  form[ControlId::Picture2].visible = false;
  // Annotations already drawn stay on the picture but can no longer be undone one by one.
  form.store.Cut();
}

void Image1_MouseMove(CaptureForm& form, int index, float x, float y) {
  form.platform.window.SetPointer(kHandlePointer[index]);
  if (form.SizeState != Sizing::Start) return;

  // The handles sit on the window itself, so the move's point is the pointer's window position.
  form.CurPos = {RoundHalfEven(x), RoundHalfEven(y)};
  Control& handle = form[Image1(index)];
  handle.left = x;
  handle.top = y;

  // A width or height below zero means the pointer crossed the opposite edge: the update is
  // refused as a whole and the selection keeps its last accepted geometry.
  const PointF size = form.controls.Extent(Image1(index));
  const Geometry g = Resized(form, index, x, y, size.x, size.y);
  Control& selection = form[ControlId::Shape1];
  if (g.width >= 0 && g.height >= 0) {
    selection.left = g.left;
    selection.top = g.top;
    selection.width = g.width;
    selection.height = g.height;
  }

  ImageMove(form);
  form[ControlId::LblPos].caption = SizeText(selection.width, selection.height);
  PlaceLabels(form);
  form.SelX = selection.left;
  form.SelY = selection.top;
}

void Image1_MouseUp(CaptureForm& form) {
  form.SizeState = Sizing::Stop;
  PlaceToolbar(form);
}

}  // namespace capture
