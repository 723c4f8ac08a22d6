#include "run/window_pointer.h"

#include <utility>

#include "annotate/mark_edit.h"
#include "annotate/mark_gestures.h"
#include "annotate/shape_tools.h"
#include "annotate/text_tool.h"
#include "run/capture_run.h"
#include "run/copy_selection.h"
#include "run/run_mode.h"
#include "selection/readout.h"
#include "selection/selection_drag.h"

namespace capture {
namespace {

// The modes in which the marks inside the selection take a press: a finished selection, with or
// without a tool.
bool MarksTakePresses(RunMode mode) {
  return mode == RunMode::SelectionFinished || mode == RunMode::ToolChosen ||
         mode == RunMode::MarkSelected;
}

// A press goes to the chosen tool (or the open text box) rather than to the selection.
bool ToolTakes(const RunState& s) {
  return s.annotate.choice.active || s.form[ControlId::TextBox].visible;
}

bool InSelection(const RunState& s, PointF at) {
  return PtInRect(s.form.SelectionRect(), Round(at.x), Round(at.y));
}

// After a release that drew a mark: the mark is selected, and a double-click that the release
// began does not take it for a mark already there.
void SelectDrawn(RunState& s, std::size_t marks_before) {
  const std::vector<MarkPtr>& marks = s.form.history.Shown().marks;
  if (marks.size() != marks_before + 1) return;
  SelectMark(s.form, s.annotate, marks.size() - 1);
  s.annotate.edit.just_drawn = marks.back()->serial;
}

}  // namespace

void PressOnWindow(RunState& s, const Event& e) {
  Surface& surface = s.services.surface;
  s.annotate.edit.just_drawn = 0;
  // A second button pressed during a press belongs to the drag already going on.
  if (s.annotate.edit.drag) return;
  if (MarksTakePresses(ModeOf(s)) && !s.annotate.tool_drag.InProgress() &&
      e.button == button::kLeft && InSelection(s, e.point)) {
    if (PressOnMark(s.form, s.annotate, surface, e.point)) {
      return s.services.window.SetPointer(Pointer::SizeAll);
    }
    DeselectMark(s.form, s.annotate);
  }
  if (ToolTakes(s)) return StartShape(s.form, s.annotate, surface, e.point.x, e.point.y);
  PressOnSelection(s.form, s.selection.drag, s.selection.aim, s.services.window, e.button,
                   e.point.x, e.point.y);
}

void MoveOnWindow(RunState& s, const Event& e) {
  Surface& surface = s.services.surface;
  MarkEditing& edit = s.annotate.edit;
  ColourReadout(s.form, surface, e.point.x, e.point.y);
  const RunMode mode = ModeOf(s);
  if (mode == RunMode::MarkDragged) {
    if (e.button == button::kLeft) MoveMarkDrag(s.form, s.annotate, surface, e.point, e.shift);
    return;
  }
  if (e.button == 0 && MarksTakePresses(mode)) {
    std::optional<Pointer> pointer;
    if (InSelection(s, e.point)) pointer = PointerOverMarks(s.form, s.annotate, surface, e.point);
    if (pointer) {
      edit.pointer_on_mark = true;
      return s.services.window.SetPointer(*pointer);
    }
    // Off the marks, a tool's pointer again (the selection's reactions set their own).
    if (std::exchange(edit.pointer_on_mark, false)) s.services.window.SetPointer(Pointer::Cross);
  }
  if (ToolTakes(s)) {
    if (s.annotate.tool_drag.InProgress()) {
      PreviewShape(s.form, s.annotate, surface, e.point.x, e.point.y, e.shift);
    }
    return;
  }
  MoveOnSelection(s.form, s.selection.drag, s.selection.aim, s.services.window, e.button, e.point.x,
                  e.point.y);
}

void ReleaseOnWindow(RunState& s, const Event& e) {
  if (const std::optional<MarkDrag>& drag = s.annotate.edit.drag) {
    // The release's own place counts, also when no move came before it.
    if (drag->now || drag->grab.x != e.point.x || drag->grab.y != e.point.y) {
      MoveMarkDrag(s.form, s.annotate, s.services.surface, e.point, e.shift);
    }
    return ReleaseMarkDrag(s.form, s.annotate, s.services.surface);
  }
  if (s.annotate.tool_drag.InProgress()) {
    const std::size_t marks_before = s.form.history.Shown().marks.size();
    const bool retyping = s.annotate.edit.retyped != 0;
    CommitShape(s.form, s.annotate, s.services.surface, s.services.window, e.point.x, e.point.y,
                e.shift);
    if (!retyping) SelectDrawn(s, marks_before);
  }
  // A tool's release ends the press as the selection's would: a right button's quits.
  ReleaseOnSelection(s.form, s.selection.drag, s.selection.aim, s.services.window, e.button,
                     e.point.x, e.point.y);
}

void DoubleClickOnWindow(RunState& s, const Event& e) {
  if (!InSelection(s, e.point)) return;
  // A mark under the double-click is not copied away; the one its own first click drew is.
  const Document& shown = s.form.history.Shown();
  Document others;
  std::vector<std::size_t> places;
  for (std::size_t i = 0; i < shown.marks.size(); ++i) {
    if (shown.marks[i]->serial == s.annotate.edit.just_drawn) continue;
    others.marks.push_back(shown.marks[i]);
    places.push_back(i);
  }
  const std::optional<std::size_t> hit =
      MarkAt(others, e.point, s.form.controls.scale.dpi, s.services.surface);
  if (!hit) return CopyAndQuit(s);
  const std::size_t place = places[*hit];
  if (shown.marks[place]->kind == MarkKind::Text) {
    RetypeText(s.form, s.annotate, s.services.surface, s.services.window, place);
  }
}

}  // namespace capture
