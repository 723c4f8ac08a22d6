// The history: the document after start-up and after every finished action, kept so that undo
// and redo can show any of them again. Only the shown document is held whole; every other one is
// held as the change that leads to it (the marks a step took out and put in, at their place), so
// a step costs the marks it changed and never pixels or the list of the marks it left alone.
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
  // Shows the document before the shown one; false, with nothing changed, at the first. Throws
  // std::bad_alloc, with nothing changed and the picture marked stale, in the rare case the shown
  // list must grow beyond the room it has.
  bool Undo();
  // Shows the document after the shown one; false, with nothing changed, at the newest. Throws as
  // Undo does.
  bool Redo();

  // The document shown.
  const Document& Shown() const { return shown_; }
  // Document k (1..Count()), made from the shown one and the steps between them.
  Document At(int k) const;
  // The shown document's position, 1 for the first; 0 before Start.
  int Current() const { return current_; }
  // The documents held: the newest one's position.
  int Count() const { return current_ == 0 ? 0 : static_cast<int>(steps_.size()) + 1; }
  // Whether the surface may not show the shown document (drawing it failed, out of memory), so
  // that the next document shown is drawn whole rather than on top.
  bool PictureStale() const { return picture_stale_; }
  void SetPictureStale(bool stale) { picture_stale_ = stale; }
  // A number no mark of this run has had yet.
  std::uint64_t NewSerial() { return ++serials_; }

  // Bytes held by all documents together: the shown list, the steps, and each mark once with
  // what it holds.
  std::size_t Bytes() const;

 private:
  // From document k - 1 to document k: at `place`, `removed` marks went and `inserted` came, held
  // in `marks` in that order. A change too large for the room Reserve made is held `whole`: then
  // `marks` is the entire document on the side of the step that is not shown, swapped with the
  // shown list when the step is crossed.
  struct Step {
    std::uint32_t place = 0;
    std::uint32_t removed = 0;
    std::uint32_t inserted = 0;
    bool whole = false;
    std::vector<MarkPtr> marks;
  };

  // Makes `marks` the document on the other side of the step: back over it when `back`.
  static void Cross(Step& step, std::vector<MarkPtr>& marks, bool back);
  // Drops the kept pixels of the marks a step changed away from: they are two steps from the
  // shown document now and are made again should it come back to them.
  static void ForgetRendered(const Step& step, bool removed_side);

  Document shown_;
  std::vector<Step> steps_;     // steps_[k - 2] leads to document k
  std::vector<MarkPtr> spare_;  // room for the next step's marks, made by Reserve
  int current_ = 0;
  std::uint64_t serials_ = 0;
  bool picture_stale_ = false;
};

}  // namespace capture
