// The tiles that snapshots are made of. A picture is cut into square tiles; each distinct tile is
// held once, shared by every snapshot that refers to it, and freed when the last reference goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace capture {

// Side of a tile in pixels. Tiles on the right and bottom edges of a picture are cut smaller.
inline constexpr int kTileSize = 64;

// The hash recorded for a borrowed tile.
inline constexpr std::uint64_t kUnhashed = 0;

// A slot in the pool; valid while the tile it names has references.
using TileId = std::uint32_t;

// A block of pixels inside a larger picture.
struct TileBlock {
  const std::uint32_t* first = nullptr;  // the top-left pixel; not owned
  int stride = 0;                        // pixels from one row to the next
  int width = 0;
  int height = 0;
};

// A 64-bit hash of the block's size and pixels.
std::uint64_t TileHash(const TileBlock& block);

class TilePool {
 public:
  // The tile whose size and pixels equal the block's, with one reference more; a new tile when
  // the pool holds none. `hash` must be TileHash(block).
  TileId Acquire(const TileBlock& block, std::uint64_t hash);
  // A new tile that refers to the block's pixels instead of copying them: they must stay unchanged
  // and alive as long as the pool. Its hash is kUnhashed and it is never shared with an equal
  // tile: it costs the pool no pixels, and hashing it would read the whole frozen screen once more
  // at start-up.
  TileId Borrow(const TileBlock& block);
  // Adds a reference to a live tile.
  void AddRef(TileId id);
  // Drops a reference to a live tile; the last one frees it.
  void Release(TileId id);

  // True when `id` names a live tile whose size and pixels equal the block's.
  bool Matches(TileId id, const TileBlock& block) const;
  // Changes whenever slot `id` is freed, so a remembered (id, generation) pair names the very
  // tile it named then, or none.
  std::uint32_t GenerationOf(TileId id) const { return tiles_[id].generation; }
  // True when slot `id` still holds the tile it held at `generation`; safe for any id.
  bool StillHolds(TileId id, std::uint32_t generation) const {
    return id < tiles_.size() && tiles_[id].refs > 0 && tiles_[id].generation == generation;
  }
  // Row y of a live tile: its width in pixels, contiguous.
  const std::uint32_t* Row(TileId id, int y) const {
    const Tile& t = tiles_[id];
    if (t.borrowed) return t.borrowed + static_cast<std::ptrdiff_t>(y) * t.stride;
    return t.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(t.width);
  }

  // Live tiles.
  std::size_t TileCount() const { return live_; }
  // Bytes of the pixels the pool holds itself (borrowed tiles' pixels are not counted).
  std::size_t Bytes() const { return bytes_; }

 private:
  TileId Add(const TileBlock& block, std::uint64_t hash, std::vector<std::uint32_t> pixels,
             const std::uint32_t* borrowed);

  struct Tile {
    std::vector<std::uint32_t> pixels;        // empty for a borrowed tile
    const std::uint32_t* borrowed = nullptr;  // a borrowed tile's pixels; not owned
    int stride = 0;                           // of the borrowed pixels
    int width = 0;
    int height = 0;
    std::uint64_t hash = 0;
    std::size_t refs = 0;  // 0: the slot is free
    std::uint32_t generation = 0;
  };

  std::vector<Tile> tiles_;
  std::vector<TileId> free_;
  std::unordered_multimap<std::uint64_t, TileId> by_hash_;
  std::size_t live_ = 0;
  std::size_t bytes_ = 0;
};

}  // namespace capture
