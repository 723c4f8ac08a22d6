// The eight handles' reactions: pointer shape, resizing the selection, placing the toolbar.
#pragma once

#include "annotate/annotate_state.h"
#include "form/controls.h"
#include "selection/selection_state.h"

namespace capture {

class CaptureForm;
class Surface;
class Window;

// A press on the handle starts a resize, unless a tool is chosen (an open text box is drawn first,
// with the surface).
void PressOnHandle(CaptureForm& form, SelectionState& selection, AnnotateState& annotate,
                   Surface& surface, Handle handle);
// A move of the handle to the window point (x, y).
void MoveOnHandle(CaptureForm& form, SelectionState& selection, Window& window, Handle handle,
                  float x, float y);
void ReleaseOnHandle(CaptureForm& form, SelectionState& selection);
// The press on a handle ended with no release (the pointer was taken away, or a reaction failed
// half-way): a resize in progress ends where it stands, as its release would end it.
void AbandonHandleDrag(CaptureForm& form, SelectionState& selection) noexcept;

}  // namespace capture
