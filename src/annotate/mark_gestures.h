// What the user does to drawn marks: a press selects one and a drag moves it or one of its
// handles; keys delete and nudge it; the style panel restyles it. Every finished action is one
// step of the history.
#pragma once

#include <cstddef>
#include <optional>

#include "annotate/annotate_state.h"
#include "form/mark.h"
#include "platform/types.h"

namespace capture {

class CaptureForm;
class History;
class Surface;

// Stores `next` as the newest document and shows it (the whole picture again when the surface
// may not show the history's shown one). All or nothing, as AddMark.
void StoreDocument(History& history, Surface& surface, Document next);
// What the surface shows while a mark is dragged: the shown document with the mark where the last
// move left it.
Document Showing(const History& history, const MarkDrag& drag);

// The selected mark's place in the shown document; nothing when no mark is selected.
std::optional<std::size_t> SelectedPlace(const CaptureForm& form, const MarkEditing& edit);
// Keeps the selection true to the shown document (an undone mark is no longer selected) and
// shows the selected mark's handles, or the dragged mark's where the drag has taken it.
void FollowSelectedMark(CaptureForm& form, AnnotateState& annotate);
// Selects the mark at `place` of the shown document: its handles show, and the style panel shows
// its colour and size, which become the current choice.
void SelectMark(CaptureForm& form, AnnotateState& annotate, std::size_t place);
// No mark selected; the style panel shows the chosen tool's choices again.
void DeselectMark(CaptureForm& form, AnnotateState& annotate);

// A left press: on a handle of the selected mark it starts resizing, on a mark (the topmost) it
// selects it and starts moving it. False, with nothing changed, when no mark is under it.
bool PressOnMark(CaptureForm& form, AnnotateState& annotate, Surface& surface, PointF at);
// A move while a mark is pressed: the picture shows the mark moved or resized to the pointer.
void MoveMarkDrag(CaptureForm& form, AnnotateState& annotate, Surface& surface, PointF at,
                  bool shift);
// The release: a mark that changed is stored as one step; it stays selected.
void ReleaseMarkDrag(CaptureForm& form, AnnotateState& annotate, Surface& surface);
// The press ended with no release: the mark goes back to where it was, nothing is stored.
void AbandonMarkDrag(CaptureForm& form, AnnotateState& annotate, Surface& surface) noexcept;
// The pointer a move with no button held shows over the marks: a resize pointer over a handle of
// the selected mark, the move pointer over a mark; nothing elsewhere.
std::optional<Pointer> PointerOverMarks(const CaptureForm& form, const AnnotateState& annotate,
                                        Surface& surface, PointF at);

// Delete and Backspace: the selected mark goes.
void DeleteSelectedMark(CaptureForm& form, AnnotateState& annotate, Surface& surface);
// The arrow keys: the selected mark moves by whole pixels, kept on the picture.
void NudgeSelectedMark(CaptureForm& form, AnnotateState& annotate, Surface& surface, PointF by);
// A choice on the style panel (a colour, a size, a kind, a font size) made while a mark is
// selected: the mark takes it, one step.
void RestyleSelectedMark(CaptureForm& form, AnnotateState& annotate, Surface& surface);

}  // namespace capture
