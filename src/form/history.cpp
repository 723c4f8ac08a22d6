#include "form/history.h"

#include <unordered_set>
#include <utility>

namespace capture {
namespace {

// Mixes a serial into a key (a 64-bit multiply-rotate, as a hash of the serials in order).
std::uint64_t Mix(std::uint64_t key, std::uint64_t serial) {
  key ^= serial + 0x9E3779B97F4A7C15ull + (key << 6) + (key >> 2);
  key *= 0xC2B2AE3D27D4EB4Full;
  return key ^ (key >> 29);
}

std::size_t MarkBytes(const Mark& mark) {
  std::size_t bytes = sizeof(Mark) + mark.points.capacity() * sizeof(PointF) +
                      mark.text.capacity() * sizeof(char16_t);
  if (mark.rendered) {
    bytes += sizeof(RenderedArea) + mark.rendered->pixels.pixels.capacity() * sizeof(std::uint32_t);
  }
  return bytes;
}

}  // namespace

std::uint64_t NextUnderKey(std::uint64_t key, const Mark& mark) {
  return Mix(key, mark.serial);
}

std::uint64_t UnderKey(const std::vector<MarkPtr>& marks, std::size_t place) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < place && i < marks.size(); ++i) key = NextUnderKey(key, *marks[i]);
  return key;
}

int Document::Steps() const {
  int steps = 0;
  for (const MarkPtr& mark : marks) steps += mark->kind == MarkKind::Step ? 1 : 0;
  return steps;
}

void History::Start() {
  versions_.assign(1, Document{});
  current_ = 1;
}

void History::Reserve() {
  versions_.reserve(static_cast<std::size_t>(current_) + 1);
}

void History::Push(Document next) noexcept {
  // Dropping the documents after the shown one frees every mark only they held.
  versions_.resize(static_cast<std::size_t>(current_));
  versions_.push_back(std::move(next));  // room made by Reserve: no allocation
  current_ += 1;
}

bool History::Undo() {
  if (current_ <= 1) return false;
  current_ -= 1;
  return true;
}

bool History::Redo() {
  if (current_ >= Count()) return false;
  current_ += 1;
  return true;
}

void History::Truncate() {
  if (versions_.empty()) return;
  Document shown = std::move(versions_[static_cast<std::size_t>(current_ - 1)]);
  versions_.clear();
  versions_.push_back(std::move(shown));
  current_ = 1;
}

std::size_t History::Bytes() const {
  std::size_t total = versions_.capacity() * sizeof(Document);
  std::unordered_set<const Mark*> counted;
  for (const Document& version : versions_) {
    total += version.marks.capacity() * sizeof(MarkPtr);
    for (const MarkPtr& mark : version.marks) {
      if (counted.insert(mark.get()).second) total += MarkBytes(*mark);
    }
  }
  return total;
}

}  // namespace capture
