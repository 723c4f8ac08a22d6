#include "annotate/mark_gestures.h"

#include <array>
#include <utility>

#include "annotate/mark_edit.h"
#include "annotate/render.h"
#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "annotate/tool_choices.h"
#include "annotate/toolbar.h"
#include "form/capture_form.h"
#include "platform/surface.h"

namespace capture {
namespace {

// The pointer over each of the eight handles, in their order.
constexpr std::array<Pointer, kHandles> kHandlePointer = {
    Pointer::SizeNWSE, Pointer::SizeNS, Pointer::SizeNESW, Pointer::SizeWE,
    Pointer::SizeNESW, Pointer::SizeNS, Pointer::SizeNWSE, Pointer::SizeWE};

void ShowHandles(CaptureForm& form, const Mark* mark) {
  const std::vector<PointF> centres = mark ? MarkHandles(*mark) : std::vector<PointF>{};
  const ChromeScale& scale = form.controls.scale;
  for (int i = 0; i < kHandles; ++i) {
    Control& handle = form[MarkHandleId(i)];
    const auto at = static_cast<std::size_t>(i);
    handle.visible = at < centres.size();
    if (!handle.visible) continue;
    handle.left = centres[at].x - scale(handle.width) / 2;
    handle.top = centres[at].y - scale(handle.height) / 2;
  }
}

// Stores the document with the mark at `place` replaced (or removed when there is none).
void ReplaceMark(CaptureForm& form, AnnotateState& annotate, Surface& surface, std::size_t place,
                 std::optional<Mark> mark) {
  History& history = form.history;
  Document next = history.Shown();
  if (mark) {
    mark->serial = history.NewSerial();
    annotate.edit.selected = mark->serial;
    next.marks[place] = std::make_shared<const Mark>(std::move(*mark));
  } else {
    annotate.edit.selected = 0;
    next.marks.erase(next.marks.begin() + static_cast<std::ptrdiff_t>(place));
  }
  StoreDocument(history, surface, std::move(next));
}

bool SameGeometry(const Mark& a, const Mark& b) {
  if (a.area != b.area || a.points.size() != b.points.size()) return false;
  for (std::size_t i = 0; i < a.points.size(); ++i) {
    if (a.points[i].x != b.points[i].x || a.points[i].y != b.points[i].y) return false;
  }
  return true;
}

// The style the panel offers a mark of the kind.
MarkStyle PanelStyle(const CaptureForm& form, const AnnotateState& annotate, MarkKind kind) {
  MarkStyle style;
  style.colour = CurrentColour(form);
  style.size =
      kind == MarkKind::Text ? ChosenFontPoints(form) : ChosenSize(form, annotate.choices, kind);
  style.mosaic = ChosenMosaic(form, annotate.choices);
  return style;
}

}  // namespace

Document Showing(const History& history, const MarkDrag& drag) {
  Document showing = history.Shown();
  if (drag.now) showing.marks.at(drag.place) = drag.now;
  return showing;
}

void StoreDocument(History& history, Surface& surface, Document next) {
  history.Reserve();
  ShowDocument(next, history, surface);
  history.Push(std::move(next));
}

std::optional<std::size_t> SelectedPlace(const CaptureForm& form, const MarkEditing& edit) {
  if (edit.selected == 0) return std::nullopt;
  const std::vector<MarkPtr>& marks = form.history.Shown().marks;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    if (marks[i]->serial == edit.selected) return i;
  }
  return std::nullopt;
}

void FollowSelectedMark(CaptureForm& form, AnnotateState& annotate) {
  MarkEditing& edit = annotate.edit;
  if (edit.drag) {
    const MarkDrag& drag = *edit.drag;
    return ShowHandles(form, drag.now ? drag.now.get() : drag.before.get());
  }
  const std::optional<std::size_t> place = SelectedPlace(form, edit);
  if (!place) return DeselectMark(form, annotate);
  ShowHandles(form, form.history.Shown().marks[*place].get());
}

void SelectMark(CaptureForm& form, AnnotateState& annotate, std::size_t place) {
  const Mark& mark = *form.history.Shown().marks.at(place);
  annotate.edit.selected = mark.serial;
  ShowHandles(form, &mark);
  if (mark.kind != MarkKind::Mosaic) form[SwatchId(kCurrentColourSwatch)].back_colour = mark.colour;
  ChooseAsMark(form, annotate.choices, mark);
  // The panel shows the mark's style, unless the user hid it while drawing with a tool.
  Control& panel = form[ControlId::StylePanel];
  if (form[ControlId::Toolbar].visible && (panel.visible || !annotate.choice.active)) {
    PlacePanel(form);
    LayOutPanel(form, annotate.choice, annotate.choices, ToolOf(mark.kind));
    panel.visible = true;
  }
}

void DeselectMark(CaptureForm& form, AnnotateState& annotate) {
  ShowHandles(form, nullptr);
  if (annotate.edit.selected == 0) return;
  annotate.edit.selected = 0;
  ToolChoice& choice = annotate.choice;
  if (!choice.active) {
    form[ControlId::StylePanel].visible = false;
  } else if (choice.panel_tool != choice.tool) {
    LayOutPanel(form, choice, annotate.choices, choice.tool);
  }
}

bool PressOnMark(CaptureForm& form, AnnotateState& annotate, Surface& surface, PointF at) {
  const Document& shown = form.history.Shown();
  const int dpi = form.controls.scale.dpi;
  MarkEditing& edit = annotate.edit;
  std::optional<int> handle;
  std::optional<std::size_t> place = SelectedPlace(form, edit);
  if (place) handle = MarkHandleAt(*shown.marks[*place], at, dpi);
  if (!handle) place = MarkAt(shown, at, dpi, surface);
  if (!place) return false;
  if (!handle) SelectMark(form, annotate, *place);
  edit.drag = MarkDrag{handle, at, shown.marks[*place], *place, nullptr};
  return true;
}

void MoveMarkDrag(CaptureForm& form, AnnotateState& annotate, Surface& surface, PointF at,
                  bool shift) {
  MarkDrag& drag = *annotate.edit.drag;
  History& history = form.history;
  const SizeI picture = surface.Size();
  const Document showing = Showing(history, drag);
  Mark edited = drag.handle
                    ? Resized(*drag.before, *drag.handle, at, shift, picture)
                    : Moved(*drag.before, {at.x - drag.grab.x, at.y - drag.grab.y}, picture);
  // A serial of its own, so that a mosaic above it is made again on what now lies beneath.
  edited.serial = history.NewSerial();
  const MarkPtr now = std::make_shared<const Mark>(std::move(edited));
  Document moved = history.Shown();
  moved.marks.at(drag.place) = now;
  if (history.PictureStale()) {
    ShowDocument(moved, history, surface);
  } else {
    // Only the mark's old and new places (and what reaches into them) are drawn again.
    ShowDocumentOver(showing, moved, surface);
  }
  drag.now = now;
  ShowHandles(form, drag.now.get());
}

void ReleaseMarkDrag(CaptureForm& form, AnnotateState& annotate, Surface& surface) {
  MarkEditing& edit = annotate.edit;
  const MarkDrag drag = *std::exchange(edit.drag, std::nullopt);
  History& history = form.history;
  if (drag.now && !SameGeometry(*drag.now, *drag.before)) {
    Document next = history.Shown();
    next.marks.at(drag.place) = drag.now;
    edit.selected = drag.now->serial;
    StoreDocument(history, surface, std::move(next));
  } else if (drag.now) {
    ShowDocumentOver(Showing(history, drag), history.Shown(), surface);
  }
  FollowSelectedMark(form, annotate);
}

void AbandonMarkDrag(CaptureForm& form, AnnotateState& annotate, Surface& surface) noexcept {
  if (!annotate.edit.drag) return;
  const MarkDrag drag = *std::exchange(annotate.edit.drag, std::nullopt);
  try {
    if (drag.now) ShowDocumentOver(Showing(form.history, drag), form.history.Shown(), surface);
  } catch (...) {
    // The surface still shows the dragged mark: the next document shown is drawn whole.
    form.history.SetPictureStale(true);
  }
  FollowSelectedMark(form, annotate);
}

std::optional<Pointer> PointerOverMarks(const CaptureForm& form, const AnnotateState& annotate,
                                        Surface& surface, PointF at) {
  const Document& shown = form.history.Shown();
  const int dpi = form.controls.scale.dpi;
  if (const std::optional<std::size_t> place = SelectedPlace(form, annotate.edit)) {
    const Mark& mark = *shown.marks[*place];
    if (const std::optional<int> handle = MarkHandleAt(mark, at, dpi)) {
      if (mark.kind == MarkKind::Arrow) return Pointer::SizeAll;
      return kHandlePointer[static_cast<std::size_t>(*handle)];
    }
  }
  if (MarkAt(shown, at, dpi, surface)) return Pointer::SizeAll;
  return std::nullopt;
}

void DeleteSelectedMark(CaptureForm& form, AnnotateState& annotate, Surface& surface) {
  const std::optional<std::size_t> place = SelectedPlace(form, annotate.edit);
  if (!place) return;
  ReplaceMark(form, annotate, surface, *place, std::nullopt);
  FollowSelectedMark(form, annotate);
}

void NudgeSelectedMark(CaptureForm& form, AnnotateState& annotate, Surface& surface, PointF by) {
  const std::optional<std::size_t> place = SelectedPlace(form, annotate.edit);
  if (!place) return;
  const Mark& mark = *form.history.Shown().marks[*place];
  Mark moved = Moved(mark, by, surface.Size());
  if (SameGeometry(moved, mark)) return;  // already at the picture's edge
  ReplaceMark(form, annotate, surface, *place, std::move(moved));
  FollowSelectedMark(form, annotate);
}

void RestyleSelectedMark(CaptureForm& form, AnnotateState& annotate, Surface& surface) {
  const std::optional<std::size_t> place = SelectedPlace(form, annotate.edit);
  if (!place) return;
  const Mark& mark = *form.history.Shown().marks[*place];
  std::optional<Mark> restyled = Restyled(mark, PanelStyle(form, annotate, mark.kind));
  if (!restyled) return;
  ReplaceMark(form, annotate, surface, *place, std::move(*restyled));
  FollowSelectedMark(form, annotate);
}

}  // namespace capture
