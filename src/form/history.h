// The history: the picture after start-up and after every committed annotation, kept so that undo
// and redo can put a whole picture back. A snapshot is a list of tiles shared with its neighbours,
// so it costs roughly what changed since the one before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "form/tile_pool.h"
#include "platform/types.h"

namespace capture {

class Surface;

// One stored picture: its size and its tiles row by row, each held in the tile pool of the tiler
// that took it. A snapshot keeps its tiles alive; a copy shares them.
class Snapshot {
 public:
  Snapshot() = default;
  Snapshot(const Snapshot& other);
  Snapshot& operator=(const Snapshot& other);
  Snapshot(Snapshot&& other) noexcept = default;
  Snapshot& operator=(Snapshot&& other) noexcept;
  ~Snapshot();

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<TileId>& tiles() const { return tiles_; }
  // The bytes the snapshot itself takes, beside the pixels of its tiles.
  std::size_t size() const { return tiles_.size() * sizeof(TileId); }

 private:
  friend class Tiler;
  // Takes over one reference to every tile.
  Snapshot(int width, int height, std::vector<TileId> tiles, std::shared_ptr<TilePool> pool)
      : width_(width), height_(height), tiles_(std::move(tiles)), pool_(std::move(pool)) {}
  void ReleaseTiles() noexcept;

  int width_ = 0;
  int height_ = 0;
  std::vector<TileId> tiles_;
  std::shared_ptr<TilePool> pool_;  // set while the snapshot holds its tiles
};

// Cuts pictures into tiles and puts them back together, exactly. Its snapshots share equal tiles.
class Tiler {
 public:
  Tiler() : pool_(std::make_shared<TilePool>()) {}

  // The picture as a snapshot. Throws std::invalid_argument for a view with a negative size or a
  // short stride.
  Snapshot Take(PixelView picture);
  // The same, told that the picture equals the one this tiler last took or restored everywhere
  // outside `changed`: tiles wholly outside it are taken from that picture without comparing.
  Snapshot Take(PixelView picture, const RectI& changed);
  // The same for a picture whose pixels stay unchanged and alive as long as the tiler: its new
  // tiles refer to those pixels instead of copying them.
  Snapshot Borrow(PixelView picture);
  // The snapshot's picture, pixel for pixel and in size; the next Take compares with it.
  Picture Restore(const Snapshot& snapshot);
  // The snapshot's picture, with nothing remembered.
  Picture Assemble(const Snapshot& snapshot) const;

  // The tiles of this tiler's snapshots.
  const TilePool& Pool() const { return *pool_; }
  // Forgets the picture last taken or restored, so the next Take compares every tile.
  void ForgetRecent() { recent_width_ = recent_height_ = -1; }

 private:
  Snapshot Make(PixelView picture, const RectI* changed, bool borrow);
  void Remember(std::vector<TileId> ids, int width, int height);

  std::shared_ptr<TilePool> pool_;
  // The tiles, place by place, of the picture last taken or restored: the next picture to take is
  // usually that one plus an annotation, and a memcmp against the tile in the same place finds an
  // unchanged tile faster than hashing it. Not references: each is checked before it is used.
  std::vector<TileId> recent_;
  std::vector<std::uint32_t> recent_generations_;
  int recent_width_ = -1;
  int recent_height_ = -1;
};

// The snapshots from the first (start-up) to the newest, and the one the surface shows. Always at
// least one snapshot once started, and the shown one among them.
class History {
 public:
  // Commits the surface and stores its background picture as the first snapshot. While that is
  // still the surface's frozen screen, the snapshot refers to the frozen pixels instead of copying
  // them.
  void Start(Surface& surface);
  // Commits the surface and stores its background picture as the newest snapshot, after the shown
  // one, holding `new_steps` more numbered steps than the shown picture; snapshots that redo could
  // still reach are dropped. All or nothing: when it throws (out of memory), the snapshots, the
  // shown one and the surface's background changes are as before.
  void Push(Surface& surface, int new_steps = 0);
  // Shows the snapshot before the shown one; false, with nothing changed, at the first. The
  // surface and the history are unchanged when it throws.
  bool Undo(Surface& surface);
  // Shows the snapshot after the shown one; false, with nothing changed, at the newest.
  bool Redo(Surface& surface);
  // Back to the first snapshot; later ones are dropped, the surface is not touched (nor the count
  // of the numbered steps it shows).
  void Truncate();
  // The numbered steps on the picture the surface shows: the next one is this plus one. Follows
  // undo and redo, so an undone step's number is given again and a redone one comes back as it was.
  int StepsShown() const { return steps_shown_; }

  // The shown snapshot's position, 1 for the first; 0 before Start.
  int Current() const { return current_; }
  // The snapshots held: the newest one's position.
  int Count() const { return static_cast<int>(snapshots_.size()); }
  // The picture of snapshot k (1..Count()).
  Picture PictureAt(int k) const;
  // The snapshots in order, the first at 0.
  const std::vector<Snapshot>& Snapshots() const { return snapshots_; }

  // Bytes held by all snapshots together: their tile lists and the pixels of their tiles.
  std::size_t Bytes() const;

 private:
  void Show(int k, Surface& surface);

  Tiler tiler_;
  std::vector<Snapshot> snapshots_;
  std::vector<int> steps_;  // the numbered steps on each snapshot's picture
  int current_ = 0;
  int steps_shown_ = 0;
};

}  // namespace capture
