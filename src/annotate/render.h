// The one renderer: what the window shows beneath its chrome is the document drawn by these, the
// frozen picture and then each mark in order. Every mark is drawn with the surface's drawing
// calls, so the fake surface and the Windows surface show the same marks.
#pragma once

#include <cstdint>

#include "form/mark.h"

namespace capture {

class History;
class Surface;

// Draws one mark where drawing goes (the retained image, or the window layer while a preview is
// drawn). `number`: a step's number; `under`: the mark's UnderKeys entry, which a mosaic's kept
// pixels must have been rendered with (else they are rendered again and kept).
void DrawMark(Surface& surface, const Mark& mark, int number, std::uint64_t under);
// Makes the surface's picture the document `next` in place of the history's shown one: the
// marks `next` adds to it are drawn on top when the shown one is where `next` starts; when marks
// were changed, taken out or put in elsewhere, only the areas they touch(ed) are drawn again (the
// frozen picture there, then every mark reaching into them, kept inside them); a document with no
// marks is the frozen picture. Any drawing not committed is taken back first. The history is not
// moved. Throws std::bad_alloc when a buffer cannot be made; the surface then shows the history's
// shown document again, or the history is told it may not.
void ShowDocument(const Document& next, History& history, Surface& surface);
// The same, when the surface shows `showing` (a document the history does not hold, as while a
// mark is dragged) rather than the history's shown one: only where the two differ is drawn again.
void ShowDocumentOver(const Document& showing, const Document& next, Surface& surface);
// Draws the mark on top of the document shown, commits the surface and stores the document with
// the mark as the newest. All or nothing: when it throws, the history is as before and nothing new
// is committed.
void AddMark(History& history, Surface& surface, Mark mark);

}  // namespace capture
