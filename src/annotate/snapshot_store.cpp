#include "annotate/snapshot_store.h"

#include <cstring>
#include <stdexcept>

#include "platform/surface.h"

namespace capture {

// Plain layout for now: "pic", width, height, the pixels row by row.
void ExcelPropertyBag::WriteP(Snapshot& data, PixelView picture) {
  const std::size_t row_bytes = static_cast<std::size_t>(picture.width) * 4;
  data.assign(3 + 8 + row_bytes * picture.height, 0);
  std::memcpy(data.data(), "pic", 3);
  std::memcpy(data.data() + 3, &picture.width, 4);
  std::memcpy(data.data() + 7, &picture.height, 4);
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(data.data() + 11 + row_bytes * y, picture.Row(y), row_bytes);
  }
}

Picture ExcelPropertyBag::ReadP(const Snapshot& data) {
  if (data.size() < 11 || std::memcmp(data.data(), "pic", 3) != 0) {
    throw std::invalid_argument("no picture under \"pic\"");
  }
  int width = 0, height = 0;
  std::memcpy(&width, data.data() + 3, 4);
  std::memcpy(&height, data.data() + 7, 4);
  Picture picture(width, height);
  std::memcpy(picture.pixels.data(), data.data() + 11, picture.pixels.size() * 4);
  return picture;
}

void SnapshotStore::Start(Surface& surface) {
  surface.Commit();
  SnapIdx += 1;
  Snap.resize(static_cast<std::size_t>(SnapIdx) + 1);
  if (!Bag) Bag.emplace();
  Bag->WriteP(Snap[static_cast<std::size_t>(SnapIdx)], surface.Background());
  SnapMax = SnapIdx;
}

void SnapshotStore::Push(Surface& surface) {
  surface.Commit();
  SnapIdx += 1;
  SnapMax = SnapIdx;
  Snap.resize(static_cast<std::size_t>(SnapIdx) + 1);
  if (!Bag) Bag.emplace();
  Bag->WriteP(Snap[static_cast<std::size_t>(SnapIdx)], surface.Background());
}

void SnapshotStore::Cut() {
  SnapIdx = 1;
  SnapMax = 1;
  Snap.resize(2);
}

void SnapshotStore::Show(std::int32_t k, Surface& surface) {
  if (!Bag) Bag.emplace();
  surface.SetPicture(Bag->ReadP(Snap[static_cast<std::size_t>(k)]));
}

std::size_t SnapshotStore::Bytes() const {
  std::size_t total = 0;
  for (const Snapshot& s : Snap) total += s.size();
  return total;
}

}  // namespace capture
