// The snapshot store: the background picture after start-up and after every committed annotation,
// kept so that undo and redo can put a whole picture back.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/types.h"

namespace capture {

class Surface;

// One stored picture in serialised form.
using Snapshot = std::vector<std::uint8_t>;

// Serialises a picture under the key "pic" and back, exactly.
class ExcelPropertyBag {
 public:
  // Stores the picture under the key "pic" in a fresh bag and sets data to the bag's contents.
  void WriteP(Snapshot& data, PixelView picture);
  // Loads a fresh bag from data and returns the picture stored under "pic".
  Picture ReadP(const Snapshot& data);
};

class SnapshotStore {
 public:
  // Commits the surface and stores its background picture as snapshot 1.
  void Start(Surface& surface);
  // Commits the surface and stores its background picture as the newest snapshot; snapshots that
  // redo could still reach are dropped.
  void Push(Surface& surface);
  // Back to the first snapshot; later ones are dropped, the surface is not touched.
  void Cut();
  // Makes snapshot k (1..SnapMax) the surface's picture.
  void Show(std::int32_t k, Surface& surface);

  // Bytes held by all snapshots together.
  std::size_t Bytes() const;

  std::optional<ExcelPropertyBag> Bag;
  std::vector<Snapshot> Snap;  // element 0 is never used
  std::int32_t SnapIdx = 0;
  std::int32_t SnapMax = 0;
};

}  // namespace capture
