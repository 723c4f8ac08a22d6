// The history: the document after start-up and after every finished action, kept so that undo
// and redo can show any of them again. Versions share their marks, so a version costs the list of
// its marks and the marks it added, never pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "form/mark.h"

namespace capture {

// The documents from the first (start-up, no marks) to the newest, and the one shown. Always at
// least one once started, and the shown one among them.
class History {
 public:
  // One document with no marks, shown.
  void Start();
  // Makes room for one more document after the shown one, so that the Push that follows cannot
  // fail. Throws std::bad_alloc, with nothing changed, when there is none.
  void Reserve();
  // Stores the document as the newest, after the shown one, and shows it; documents that redo
  // could still reach are dropped. Call Reserve first.
  void Push(Document next) noexcept;
  // Shows the document before the shown one; false, with nothing changed, at the first.
  bool Undo();
  // Shows the document after the shown one; false, with nothing changed, at the newest.
  bool Redo();
  // Keeps only the shown document, as the first: the marks stay, the steps back to them go.
  void Truncate();

  // The document shown.
  const Document& Shown() const { return versions_.at(static_cast<std::size_t>(current_ - 1)); }
  // Document k (1..Count()).
  const Document& At(int k) const { return versions_.at(static_cast<std::size_t>(k - 1)); }
  // The shown document's position, 1 for the first; 0 before Start.
  int Current() const { return current_; }
  // The documents held: the newest one's position.
  int Count() const { return static_cast<int>(versions_.size()); }
  // Whether the surface may not show the shown document (drawing it failed, out of memory), so
  // that the next document shown is drawn whole rather than on top.
  bool PictureStale() const { return picture_stale_; }
  void SetPictureStale(bool stale) { picture_stale_ = stale; }
  // A number no mark of this run has had yet.
  std::uint64_t NewSerial() { return ++serials_; }

  // Bytes held by all documents together: their lists, and each mark once with what it holds.
  std::size_t Bytes() const;

 private:
  std::vector<Document> versions_;
  int current_ = 0;
  std::uint64_t serials_ = 0;
  bool picture_stale_ = false;
};

}  // namespace capture
