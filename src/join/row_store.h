// The rows of a joined picture's content, kept in chunks so that it grows without being copied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace capture::join {

// Rows of one width, numbered from any whole number: rows are added below the last (row
// numbers going up) or above the first (going down). Each chunk holds a fixed number of rows;
// adding a row never moves the rows already kept.
class RowStore {
 public:
  explicit RowStore(int width) : width_(width) {}

  int width() const { return width_; }
  // The first row kept and one past the last; equal when nothing is kept.
  int first() const { return first_; }
  int end() const { return end_; }
  // Makes the store hold nothing, its rows to be numbered from `row` on.
  void Restart(int row);
  // Copies `width()` pixels as a new row below the last.
  void AddBelow(const std::uint32_t* pixels);
  // Copies `width()` pixels as a new row above the first.
  void AddAbove(const std::uint32_t* pixels);
  // Row `row`, which must lie in [first(), end()).
  std::uint32_t* Row(int row);
  const std::uint32_t* Row(int row) const;
  // Bytes held by the chunks: what the store costs in memory.
  std::size_t Bytes() const;

  // Rows in a chunk: 256 rows of 1920 pixels are 2 MiB.
  static constexpr int kChunkRows = 256;

 private:
  using Chunks = std::vector<std::vector<std::uint32_t>>;
  // Copies `pixels` as row `index` of a side (0 the one nearest the origin), the row after the
  // side's last, adding a chunk when the last one is full.
  void Append(Chunks& side, int index, const std::uint32_t* pixels);

  int width_;
  int origin_ = 0;  // rows origin_ and below are in `below_`, rows above it in `above_`
  int first_ = 0;
  int end_ = 0;
  Chunks below_;  // row origin_ + i is row i of the side
  Chunks above_;  // row origin_ - 1 - i is row i of the side
};

}  // namespace capture::join
