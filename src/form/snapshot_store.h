// The snapshot store: the background picture after start-up and after every committed annotation,
// kept so that undo and redo can put a whole picture back.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "form/tile_pool.h"
#include "platform/types.h"

namespace capture {

class Surface;

// One stored picture in serialised form: under the key "pic", the picture's size and a reference
// to each of its tiles in the tile pool of the bag that wrote it. A snapshot written by WriteP
// keeps its tiles alive until it is overwritten or destroyed; a copy shares them.
class Snapshot {
 public:
  Snapshot() = default;
  // Bytes from elsewhere. They keep no tile alive; ReadP checks them before it trusts them.
  explicit Snapshot(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  Snapshot(const Snapshot& other);
  Snapshot& operator=(const Snapshot& other);
  Snapshot(Snapshot&& other) noexcept = default;
  Snapshot& operator=(Snapshot&& other) noexcept;
  ~Snapshot();

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  bool empty() const { return bytes_.empty(); }
  std::size_t size() const { return bytes_.size(); }

 private:
  friend class ExcelPropertyBag;
  // Takes over one reference to every tile the bytes name.
  Snapshot(std::vector<std::uint8_t> bytes, std::shared_ptr<TilePool> pool)
      : bytes_(std::move(bytes)), pool_(std::move(pool)) {}
  void ReleaseTiles() noexcept;

  std::vector<std::uint8_t> bytes_;
  std::shared_ptr<TilePool> pool_;  // set while the snapshot holds its tiles
};

// Serialises a picture under the key "pic" and back, exactly. Its snapshots share equal tiles, so
// a snapshot costs roughly what changed since the one before it.
class ExcelPropertyBag {
 public:
  ExcelPropertyBag() : pool_(std::make_shared<TilePool>()) {}

  // Stores the picture under the key "pic" and sets data to the result; data's former tiles are
  // let go. Throws std::invalid_argument for a view with a negative size or a short stride.
  void WriteP(Snapshot& data, PixelView picture);
  // The same, told that the picture equals the one this bag last wrote or read everywhere
  // outside `changed`: tiles wholly outside it are taken from that picture without comparing.
  void WriteP(Snapshot& data, PixelView picture, const RectI& changed);
  // The same for a picture whose pixels stay unchanged and alive as long as the bag: its new tiles
  // refer to those pixels instead of copying them.
  void WriteBorrowed(Snapshot& data, PixelView picture);
  // The picture stored under "pic", pixel for pixel and in size. Throws std::invalid_argument
  // when data was not written by WriteP, or names tiles that are no longer held (bytes copied out
  // of a snapshot that has since been dropped).
  Picture ReadP(const Snapshot& data);

  // The tiles of this bag's snapshots.
  const TilePool& Pool() const { return *pool_; }
  // Forgets the picture last written or read, so the next WriteP compares every tile.
  void ForgetRecent() { recent_width_ = recent_height_ = -1; }

 private:
  void Write(Snapshot& data, PixelView picture, const RectI* changed, bool borrow = false);
  void Remember(std::vector<TileId>& ids, int width, int height);

  std::shared_ptr<TilePool> pool_;
  // The tiles, place by place, of the picture last written or read: the next picture to write is
  // usually that one plus an annotation, and a memcmp against the tile in the same place finds an
  // unchanged tile faster than hashing it. Not references: each is checked before it is used.
  std::vector<TileId> recent_;
  std::vector<std::uint32_t> recent_generations_;
  int recent_width_ = -1;
  int recent_height_ = -1;
};

class SnapshotStore {
 public:
  // Commits the surface and stores its background picture as snapshot 1. While that is still the
  // surface's frozen screen, snapshot 1 refers to the frozen pixels instead of copying them.
  void Start(Surface& surface);
  // Commits the surface and stores its background picture as the newest snapshot; snapshots that
  // redo could still reach are dropped. All or nothing: when it throws (out of memory), SnapIdx,
  // SnapMax, Snap and the surface's background changes are as before.
  void Push(Surface& surface);
  // Back to the first snapshot; later ones are dropped, the surface is not touched.
  void Cut();
  // Makes snapshot k (1..SnapMax) the surface's picture. Throws std::out_of_range past the end of
  // Snap and std::invalid_argument for element 0; the surface is unchanged when it throws.
  void Show(std::int32_t k, Surface& surface);

  // Bytes held by all snapshots together: their buffers and the pixels of their tiles.
  std::size_t Bytes() const;

  std::optional<ExcelPropertyBag> Bag;
  std::vector<Snapshot> Snap;  // element 0 is never used
  std::int32_t SnapIdx = 0;
  std::int32_t SnapMax = 0;
};

}  // namespace capture
