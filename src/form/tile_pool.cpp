#include "form/tile_pool.h"

#include <cstring>
#include <utility>

namespace capture {
namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ull;

constexpr std::uint64_t RotL(std::uint64_t x, int r) {
  return (x << r) | (x >> (64 - r));
}

// One mixing step; four of them run side by side so the multiplies overlap.
constexpr std::uint64_t Mix(std::uint64_t lane, std::uint64_t word) {
  return RotL(lane + word * kPrime2, 31) * kPrime1;
}

std::uint64_t Load64(const unsigned char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::uint32_t Load32(const unsigned char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

const unsigned char* RowBytes(const TileBlock& block, int y) {
  return reinterpret_cast<const unsigned char*>(block.first +
                                                static_cast<std::ptrdiff_t>(y) * block.stride);
}

}  // namespace

std::uint64_t TileHash(const TileBlock& block) {
  std::uint64_t lane[4] = {kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1};
  const std::size_t row_bytes = static_cast<std::size_t>(block.width) * 4;
  for (int y = 0; y < block.height; ++y) {
    const unsigned char* p = RowBytes(block, y);
    std::size_t i = 0;
    for (; i + 32 <= row_bytes; i += 32) {
      for (int j = 0; j < 4; ++j)
        lane[j] = Mix(lane[j], Load64(p + i + 8 * static_cast<std::size_t>(j)));
    }
    for (; i + 8 <= row_bytes; i += 8) lane[0] = Mix(lane[0], Load64(p + i));
    if (i < row_bytes) lane[1] = Mix(lane[1], Load32(p + i));
  }
  std::uint64_t h = RotL(lane[0], 1) + RotL(lane[1], 7) + RotL(lane[2], 12) + RotL(lane[3], 18);
  h = Mix(h, (static_cast<std::uint64_t>(static_cast<std::uint32_t>(block.width)) << 32) |
                 static_cast<std::uint32_t>(block.height));
  h ^= h >> 33;
  h *= kPrime2;
  h ^= h >> 29;
  h *= kPrime3;
  return h ^ (h >> 32);
}

TileId TilePool::Acquire(const TileBlock& block, std::uint64_t hash) {
  const auto [begin, end] = by_hash_.equal_range(hash);
  for (auto it = begin; it != end; ++it) {
    if (Matches(it->second, block)) {
      AddRef(it->second);
      return it->second;
    }
  }
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(block.width) *
                                    static_cast<std::size_t>(block.height));
  const std::size_t row_bytes = static_cast<std::size_t>(block.width) * 4;
  for (int y = 0; y < block.height; ++y) {
    std::memcpy(pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(block.width),
                RowBytes(block, y), row_bytes);
  }
  return Add(block, hash, std::move(pixels), nullptr);
}

TileId TilePool::Borrow(const TileBlock& block) {
  return Add(block, kUnhashed, {}, block.first);
}

TileId TilePool::Add(const TileBlock& block, std::uint64_t hash, std::vector<std::uint32_t> pixels,
                     const std::uint32_t* borrowed) {
  TileId id;
  if (free_.empty()) {
    id = static_cast<TileId>(tiles_.size());
    tiles_.emplace_back();
  } else {
    id = free_.back();
    free_.pop_back();
  }
  if (!borrowed) by_hash_.emplace(hash, id);
  Tile& tile = tiles_[id];
  tile.pixels = std::move(pixels);
  tile.borrowed = borrowed;
  tile.stride = block.stride;
  tile.width = block.width;
  tile.height = block.height;
  tile.hash = hash;
  tile.refs = 1;
  ++live_;
  bytes_ += tile.pixels.size() * sizeof(std::uint32_t);
  return id;
}

void TilePool::AddRef(TileId id) {
  ++tiles_[id].refs;
}

void TilePool::Release(TileId id) {
  Tile& tile = tiles_[id];
  if (--tile.refs > 0) return;
  const auto [begin, end] = by_hash_.equal_range(tile.hash);
  for (auto it = begin; it != end; ++it) {
    if (it->second == id) {
      by_hash_.erase(it);
      break;
    }
  }
  bytes_ -= tile.pixels.size() * sizeof(std::uint32_t);
  --live_;
  std::vector<std::uint32_t>().swap(tile.pixels);
  tile.borrowed = nullptr;
  ++tile.generation;
  free_.push_back(id);
}

bool TilePool::Matches(TileId id, const TileBlock& block) const {
  if (id >= tiles_.size()) return false;
  const Tile& tile = tiles_[id];
  if (tile.refs == 0 || tile.width != block.width || tile.height != block.height) return false;
  const std::size_t row_bytes = static_cast<std::size_t>(block.width) * 4;
  for (int y = 0; y < block.height; ++y) {
    if (std::memcmp(Row(id, y), RowBytes(block, y), row_bytes) != 0) return false;
  }
  return true;
}

}  // namespace capture
