#include "join/row_store.h"

namespace capture::join {

namespace {

std::size_t ToSize(int n) {
  return static_cast<std::size_t>(n);
}

}  // namespace

void RowStore::Restart(int row) {
  below_.clear();
  above_.clear();
  origin_ = first_ = end_ = row;
}

void RowStore::Append(Chunks& side, int index, const std::uint32_t* pixels) {
  const auto chunk = ToSize(index / kChunkRows);
  if (chunk == side.size()) {
    // Room for the whole chunk, taken but not written: the pages cost nothing until rows come.
    side.emplace_back().reserve(ToSize(kChunkRows) * ToSize(width_));
  }
  side[chunk].insert(side[chunk].end(), pixels, pixels + width_);
}

void RowStore::AddBelow(const std::uint32_t* pixels) {
  Append(below_, end_ - origin_, pixels);
  ++end_;
}

void RowStore::AddAbove(const std::uint32_t* pixels) {
  Append(above_, origin_ - first_, pixels);
  --first_;
}

std::uint32_t* RowStore::Row(int row) {
  const bool below = row >= origin_;
  const int index = below ? row - origin_ : origin_ - 1 - row;
  auto& chunk = (below ? below_ : above_)[ToSize(index / kChunkRows)];
  return chunk.data() + ToSize(index % kChunkRows) * ToSize(width_);
}

const std::uint32_t* RowStore::Row(int row) const {
  return const_cast<RowStore*>(this)->Row(row);
}

std::size_t RowStore::Bytes() const {
  std::size_t bytes = 0;
  for (const auto* side : {&below_, &above_}) {
    for (const auto& chunk : *side) bytes += chunk.capacity() * sizeof(std::uint32_t);
  }
  return bytes;
}

}  // namespace capture::join
