#include "form/history.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>
#include <utility>

namespace capture {
namespace {

std::size_t MarkBytes(const Mark& mark) {
  std::size_t bytes = sizeof(Mark) + mark.points.capacity() * sizeof(PointF) +
                      mark.text.capacity() * sizeof(char16_t);
  if (mark.rendered) {
    bytes += sizeof(RenderedArea) + mark.rendered->pixels.pixels.capacity() * sizeof(std::uint32_t);
  }
  return bytes;
}

}  // namespace

int Document::Steps() const {
  int steps = 0;
  for (const MarkPtr& mark : marks) steps += mark->kind == MarkKind::Step ? 1 : 0;
  return steps;
}

namespace {

// Room for the marks of a step that changes a few marks (a mark added, moved, restyled or
// deleted: at most one out and one in); a larger change is held whole.
constexpr std::size_t kStepRoom = 4;

// Puts `count` marks from `from` in place of the `replaced` marks at `place`. Allocates nothing
// when `marks` has room for the result.
void Replace(std::vector<MarkPtr>& marks, std::size_t place, std::size_t replaced,
             const MarkPtr* from, std::size_t count) {
  const auto at = marks.begin() + static_cast<std::ptrdiff_t>(place);
  marks.erase(at, at + static_cast<std::ptrdiff_t>(replaced));
  marks.insert(marks.begin() + static_cast<std::ptrdiff_t>(place), from,
               from + static_cast<std::ptrdiff_t>(count));
}

}  // namespace

void History::Start() {
  shown_ = Document{};
  steps_.clear();
  current_ = 1;
}

void History::Reserve() {
  steps_.reserve(static_cast<std::size_t>(current_));
  if (spare_.capacity() < kStepRoom) spare_.reserve(kStepRoom);
}

void History::Push(Document next) noexcept {
  // Dropping the steps after the shown document frees every mark only they held.
  steps_.resize(static_cast<std::size_t>(current_ - 1));
  std::vector<MarkPtr>& shown = shown_.marks;
  const std::size_t common = std::min(shown.size(), next.marks.size());
  std::size_t prefix = 0;
  while (prefix < common && shown[prefix] == next.marks[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < common - prefix &&
         shown[shown.size() - 1 - suffix] == next.marks[next.marks.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::size_t removed = shown.size() - prefix - suffix;
  const std::size_t inserted = next.marks.size() - prefix - suffix;
  Step step;
  if (removed + inserted <= spare_.capacity()) {
    step.place = static_cast<std::uint32_t>(prefix);
    step.removed = static_cast<std::uint32_t>(removed);
    step.inserted = static_cast<std::uint32_t>(inserted);
    step.marks = std::move(spare_);
    step.marks.clear();
    const auto from = [prefix](const std::vector<MarkPtr>& marks) {
      return marks.begin() + static_cast<std::ptrdiff_t>(prefix);
    };
    // Within the room Reserve made: no allocation.
    step.marks.insert(step.marks.end(), from(shown),
                      from(shown) + static_cast<std::ptrdiff_t>(removed));
    step.marks.insert(step.marks.end(), from(next.marks),
                      from(next.marks) + static_cast<std::ptrdiff_t>(inserted));
    if (shown.size() - removed + inserted <= shown.capacity()) {
      Replace(shown, prefix, removed, next.marks.data() + prefix, inserted);
    } else {
      shown = std::move(next.marks);
    }
  } else {
    step.whole = true;
    step.marks = std::move(shown);
    shown = std::move(next.marks);
  }
  if (!steps_.empty()) ForgetRendered(steps_.back(), true);
  steps_.push_back(std::move(step));  // room made by Reserve: no allocation
  current_ += 1;
}

void History::Cross(Step& step, std::vector<MarkPtr>& marks, bool back) {
  if (step.whole) {
    std::swap(marks, step.marks);
    return;
  }
  const std::size_t out = back ? step.inserted : step.removed;
  const std::size_t in = back ? step.removed : step.inserted;
  marks.reserve(marks.size() - out + in);  // the only allocation, and before any change
  Replace(marks, step.place, out, step.marks.data() + (back ? 0 : step.removed), in);
}

void History::ForgetRendered(const Step& step, bool removed_side) {
  if (step.whole) return;
  const std::size_t first = removed_side ? 0 : step.removed;
  const std::size_t count = removed_side ? step.removed : step.inserted;
  for (std::size_t i = first; i < first + count; ++i) step.marks[i]->rendered.reset();
}

bool History::Undo() {
  if (current_ <= 1) return false;
  try {
    Cross(steps_[static_cast<std::size_t>(current_ - 2)], shown_.marks, true);
  } catch (...) {
    picture_stale_ = true;  // the caller may have shown the document before already
    throw;
  }
  if (current_ <= static_cast<int>(steps_.size())) {
    ForgetRendered(steps_[static_cast<std::size_t>(current_ - 1)], false);
  }
  current_ -= 1;
  return true;
}

bool History::Redo() {
  if (current_ >= Count()) return false;
  try {
    Cross(steps_[static_cast<std::size_t>(current_ - 1)], shown_.marks, false);
  } catch (...) {
    picture_stale_ = true;
    throw;
  }
  if (current_ >= 2) ForgetRendered(steps_[static_cast<std::size_t>(current_ - 2)], true);
  current_ += 1;
  return true;
}

Document History::At(int k) const {
  if (k < 1 || k > Count()) throw std::out_of_range("History::At");
  Document document = shown_;
  for (int at = current_; at != k;) {
    const bool back = k < at;
    const Step& step = steps_[static_cast<std::size_t>(back ? at - 2 : at - 1)];
    if (step.whole) {
      document.marks = step.marks;  // the other side, whole
    } else {
      const std::size_t out = back ? step.inserted : step.removed;
      const std::size_t in = back ? step.removed : step.inserted;
      Replace(document.marks, step.place, out, step.marks.data() + (back ? 0 : step.removed), in);
    }
    at += back ? -1 : 1;
  }
  return document;
}

std::size_t History::Bytes() const {
  std::size_t total = (shown_.marks.capacity() + spare_.capacity()) * sizeof(MarkPtr) +
                      steps_.capacity() * sizeof(Step);
  std::unordered_set<const Mark*> counted;
  const auto count = [&](const std::vector<MarkPtr>& marks) {
    for (const MarkPtr& mark : marks) {
      if (counted.insert(mark.get()).second) total += MarkBytes(*mark);
    }
  };
  count(shown_.marks);
  for (const Step& step : steps_) {
    total += step.marks.capacity() * sizeof(MarkPtr);
    count(step.marks);
  }
  return total;
}

}  // namespace capture
