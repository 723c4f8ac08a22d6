#include "form/snapshot_store.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "platform/surface.h"

namespace capture {
namespace {

// Byte layout of a snapshot (host byte order: snapshots never leave the running program):
//   "pic", format version, width, height, tile size, tile count   (20 bytes)
//   per tile, row by row: pool slot (4 bytes), tile hash (8 bytes)
constexpr char kKey[3] = {'p', 'i', 'c'};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kCountAt = 16;
constexpr std::size_t kHeaderBytes = 20;
constexpr std::size_t kRefBytes = 12;

template <typename T>
T Get(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  T value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

template <typename T>
void Put(std::vector<std::uint8_t>& bytes, std::size_t at, T value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

std::size_t RefAt(std::size_t i) {
  return kHeaderBytes + i * kRefBytes;
}

// How a picture of a given size is cut into tiles.
struct Grid {
  int width = 0;
  int height = 0;

  std::size_t Columns() const {
    return (static_cast<std::size_t>(width) + kTileSize - 1) / kTileSize;
  }
  std::size_t Rows() const {
    return (static_cast<std::size_t>(height) + kTileSize - 1) / kTileSize;
  }
  std::size_t Count() const { return Columns() * Rows(); }
  int TileWidth(std::size_t column) const {
    return std::min(kTileSize, width - static_cast<int>(column) * kTileSize);
  }
  int TileHeight(std::size_t row) const {
    return std::min(kTileSize, height - static_cast<int>(row) * kTileSize);
  }
  TileBlock Block(PixelView picture, std::size_t column, std::size_t row) const {
    const std::size_t x = column * kTileSize, y = row * kTileSize;
    return {picture.pixels + y * static_cast<std::size_t>(picture.stride) + x, picture.stride,
            TileWidth(column), TileHeight(row)};
  }
};

// The grid of a buffer that has the shape WriteP gives, or nothing.
std::optional<Grid> ReadHeader(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kHeaderBytes || std::memcmp(bytes.data(), kKey, sizeof kKey) != 0 ||
      bytes[3] != kVersion) {
    return std::nullopt;
  }
  const Grid grid{Get<std::int32_t>(bytes, 4), Get<std::int32_t>(bytes, 8)};
  if (grid.width < 0 || grid.height < 0 || Get<std::uint32_t>(bytes, 12) != kTileSize) {
    return std::nullopt;
  }
  // Both dimensions are below 2^31, so the count stays far below 2^64 / kRefBytes.
  const std::size_t count = grid.Count();
  if (Get<std::uint32_t>(bytes, kCountAt) != count || bytes.size() != RefAt(count)) {
    return std::nullopt;
  }
  return grid;
}

// Two views of equal size and pixels (the same pixels, usually).
bool SamePixels(PixelView a, PixelView b) {
  if (a.pixels == nullptr || a.width != b.width || a.height != b.height) return false;
  if (a.pixels == b.pixels && a.stride == b.stride) return true;
  const std::size_t row_bytes = static_cast<std::size_t>(a.width) * 4;
  for (int y = 0; y < a.height; ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), row_bytes) != 0) return false;
  }
  return true;
}

}  // namespace

Snapshot::Snapshot(const Snapshot& other) : bytes_(other.bytes_), pool_(other.pool_) {
  if (!pool_) return;
  const std::size_t count = Get<std::uint32_t>(bytes_, kCountAt);
  for (std::size_t i = 0; i < count; ++i) pool_->AddRef(Get<TileId>(bytes_, RefAt(i)));
}

Snapshot& Snapshot::operator=(const Snapshot& other) {
  if (this != &other) *this = Snapshot(other);
  return *this;
}

Snapshot& Snapshot::operator=(Snapshot&& other) noexcept {
  if (this != &other) {
    ReleaseTiles();
    bytes_ = std::move(other.bytes_);
    pool_ = std::move(other.pool_);
    other.bytes_.clear();
  }
  return *this;
}

Snapshot::~Snapshot() {
  ReleaseTiles();
}

void Snapshot::ReleaseTiles() noexcept {
  if (!pool_) return;
  const std::size_t count = Get<std::uint32_t>(bytes_, kCountAt);
  for (std::size_t i = 0; i < count; ++i) pool_->Release(Get<TileId>(bytes_, RefAt(i)));
  pool_.reset();
}

void ExcelPropertyBag::WriteP(Snapshot& data, PixelView picture) {
  Write(data, picture, nullptr);
}

void ExcelPropertyBag::WriteP(Snapshot& data, PixelView picture, const RectI& changed) {
  Write(data, picture, &changed);
}

void ExcelPropertyBag::WriteBorrowed(Snapshot& data, PixelView picture) {
  Write(data, picture, nullptr, true);
}

void ExcelPropertyBag::Write(Snapshot& data, PixelView picture, const RectI* changed, bool borrow) {
  if (picture.width < 0 || picture.height < 0 ||
      (picture.width > 0 && picture.height > 0 &&
       (picture.pixels == nullptr || picture.stride < picture.width))) {
    throw std::invalid_argument("not a picture");
  }
  const Grid grid{picture.width, picture.height};
  const std::size_t count = grid.Count();
  if (count > std::numeric_limits<std::uint32_t>::max())
    throw std::invalid_argument("picture too large");
  const bool hinted = recent_width_ == grid.width && recent_height_ == grid.height;

  std::vector<std::uint8_t> bytes(RefAt(count));
  std::memcpy(bytes.data(), kKey, sizeof kKey);
  bytes[3] = kVersion;
  Put<std::int32_t>(bytes, 4, grid.width);
  Put<std::int32_t>(bytes, 8, grid.height);
  Put<std::uint32_t>(bytes, 12, kTileSize);
  Put<std::uint32_t>(bytes, kCountAt, static_cast<std::uint32_t>(count));

  std::vector<TileId> ids;
  ids.reserve(count);
  try {
    for (std::size_t row = 0, i = 0; row < grid.Rows(); ++row) {
      for (std::size_t column = 0; column < grid.Columns(); ++column, ++i) {
        const TileBlock block = grid.Block(picture, column, row);
        TileId id;
        std::uint64_t hash;
        const auto x = static_cast<std::int32_t>(column) * kTileSize;
        const auto y = static_cast<std::int32_t>(row) * kTileSize;
        const bool unchanged =
            hinted && changed &&
            Intersect(*changed, {x, y, x + block.width, y + block.height}).Empty() &&
            pool_->StillHolds(recent_[i], recent_generations_[i]);
        if (unchanged || (hinted && pool_->Matches(recent_[i], block))) {
          id = recent_[i];
          pool_->AddRef(id);
          hash = pool_->HashOf(id);
        } else if (borrow) {
          hash = kUnhashed;
          id = pool_->Borrow(block);
        } else {
          hash = TileHash(block);
          id = pool_->Acquire(block, hash);
        }
        ids.push_back(id);
        Put<TileId>(bytes, RefAt(i), id);
        Put<std::uint64_t>(bytes, RefAt(i) + 4, hash);
      }
    }
  } catch (...) {
    for (TileId id : ids) pool_->Release(id);
    throw;
  }
  // The new tiles are held before the old ones go, so tiles both share survive the swap.
  data = Snapshot(std::move(bytes), pool_);
  Remember(ids, grid.width, grid.height);
}

Picture ExcelPropertyBag::ReadP(const Snapshot& data) {
  const std::optional<Grid> grid = ReadHeader(data.bytes());
  if (!grid) throw std::invalid_argument("no picture under \"pic\"");
  const TilePool& pool = data.pool_ ? *data.pool_ : *pool_;

  std::vector<TileId> ids(grid->Count());
  for (std::size_t row = 0, i = 0; row < grid->Rows(); ++row) {
    for (std::size_t column = 0; column < grid->Columns(); ++column, ++i) {
      ids[i] = Get<TileId>(data.bytes(), RefAt(i));
      const auto hash = Get<std::uint64_t>(data.bytes(), RefAt(i) + 4);
      if (!pool.Holds(ids[i], grid->TileWidth(column), grid->TileHeight(row), hash)) {
        throw std::invalid_argument("the picture under \"pic\" names a tile that is not held");
      }
    }
  }

  Picture picture;
  picture.width = grid->width;
  picture.height = grid->height;
  // Appended row by row rather than sized up front, so no pixel is written twice.
  picture.pixels.reserve(static_cast<std::size_t>(grid->width) *
                         static_cast<std::size_t>(grid->height));
  const std::size_t columns = grid->Columns();
  for (std::size_t row = 0; row < grid->Rows(); ++row) {
    const TileId* band = ids.data() + row * columns;
    for (int y = 0; y < grid->TileHeight(row); ++y) {
      for (std::size_t column = 0; column < columns; ++column) {
        const std::uint32_t* pixels = pool.Row(band[column], y);
        picture.pixels.insert(picture.pixels.end(), pixels, pixels + grid->TileWidth(column));
      }
    }
  }
  if (&pool == pool_.get()) Remember(ids, grid->width, grid->height);
  return picture;
}

void ExcelPropertyBag::Remember(std::vector<TileId>& ids, int width, int height) {
  std::vector<std::uint32_t> generations(ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) generations[i] = pool_->GenerationOf(ids[i]);
  recent_generations_.swap(generations);
  recent_.swap(ids);
  recent_width_ = width;
  recent_height_ = height;
}

void SnapshotStore::Start(Surface& surface) {
  surface.Commit();
  surface.TakeBackgroundChanges();  // everything is new: no snapshot to compare with
  SnapIdx += 1;
  Snap.resize(static_cast<std::size_t>(SnapIdx) + 1);
  if (!Bag) Bag.emplace();
  Snapshot& first = Snap[static_cast<std::size_t>(SnapIdx)];
  const PixelView background = surface.Background();
  if (SamePixels(surface.Frozen(), background)) {
    Bag->WriteBorrowed(first, surface.Frozen());
  } else {
    Bag->WriteP(first, background);
  }
  SnapMax = SnapIdx;
}

void SnapshotStore::Push(Surface& surface) {
  surface.Commit();
  if (!Bag) Bag.emplace();
  // Written aside first and put in place by steps that cannot fail: a push that fails (out of
  // memory) leaves the indices, the snapshots and the surface's change area as they were.
  // The background differs from the picture the bag last wrote or read (the shown snapshot) only
  // where it changed since then: every change since is taken here or by Show.
  Snapshot next;
  Bag->WriteP(next, surface.Background(), surface.BackgroundChanges());
  const auto index = static_cast<std::size_t>(SnapIdx) + 1;
  Snap.reserve(index + 1);
  // Dropping the snapshots above the new index frees every tile only they held.
  Snap.resize(index);
  Snap.push_back(std::move(next));
  SnapIdx += 1;
  SnapMax = SnapIdx;
  surface.TakeBackgroundChanges();
}

void SnapshotStore::Cut() {
  SnapIdx = 1;
  SnapMax = 1;
  Snap.resize(2);
}

void SnapshotStore::Show(std::int32_t k, Surface& surface) {
  if (!Bag) Bag.emplace();
  const Picture picture = Bag->ReadP(Snap.at(static_cast<std::size_t>(k)));
  try {
    surface.SetPicture(picture);
  } catch (...) {
    // The bag now remembers a picture the surface does not show: its hint would be wrong.
    Bag->ForgetRecent();
    throw;
  }
  surface.TakeBackgroundChanges();  // the background is now the picture the bag just read
}

std::size_t SnapshotStore::Bytes() const {
  std::size_t total = Bag ? Bag->Pool().Bytes() : 0;
  for (const Snapshot& s : Snap) total += s.size();
  return total;
}

}  // namespace capture
