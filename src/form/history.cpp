#include "form/history.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "platform/surface.h"

namespace capture {
namespace {

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

Snapshot::Snapshot(const Snapshot& other)
    : width_(other.width_), height_(other.height_), tiles_(other.tiles_), pool_(other.pool_) {
  if (!pool_) return;
  for (const TileId id : tiles_) pool_->AddRef(id);
}

Snapshot& Snapshot::operator=(const Snapshot& other) {
  if (this != &other) *this = Snapshot(other);
  return *this;
}

Snapshot& Snapshot::operator=(Snapshot&& other) noexcept {
  if (this != &other) {
    ReleaseTiles();
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    tiles_ = std::move(other.tiles_);
    pool_ = std::move(other.pool_);
    other.tiles_.clear();
  }
  return *this;
}

Snapshot::~Snapshot() {
  ReleaseTiles();
}

void Snapshot::ReleaseTiles() noexcept {
  if (!pool_) return;
  for (const TileId id : tiles_) pool_->Release(id);
  pool_.reset();
}

Snapshot Tiler::Take(PixelView picture) {
  return Make(picture, nullptr, false);
}

Snapshot Tiler::Take(PixelView picture, const RectI& changed) {
  return Make(picture, &changed, false);
}

Snapshot Tiler::Borrow(PixelView picture) {
  return Make(picture, nullptr, true);
}

Snapshot Tiler::Make(PixelView picture, const RectI* changed, bool borrow) {
  if (picture.width < 0 || picture.height < 0 ||
      (picture.width > 0 && picture.height > 0 &&
       (picture.pixels == nullptr || picture.stride < picture.width))) {
    throw std::invalid_argument("not a picture");
  }
  const Grid grid{picture.width, picture.height};
  const std::size_t count = grid.Count();
  if (count > std::numeric_limits<std::uint32_t>::max()) {
    throw std::invalid_argument("picture too large");
  }
  const bool hinted = recent_width_ == grid.width && recent_height_ == grid.height;

  std::vector<TileId> ids;
  ids.reserve(count);
  try {
    for (std::size_t row = 0, i = 0; row < grid.Rows(); ++row) {
      for (std::size_t column = 0; column < grid.Columns(); ++column, ++i) {
        const TileBlock block = grid.Block(picture, column, row);
        const auto x = static_cast<std::int32_t>(column) * kTileSize;
        const auto y = static_cast<std::int32_t>(row) * kTileSize;
        const bool unchanged =
            hinted && changed &&
            Intersect(*changed, {x, y, x + block.width, y + block.height}).Empty() &&
            pool_->StillHolds(recent_[i], recent_generations_[i]);
        if (unchanged || (hinted && pool_->Matches(recent_[i], block))) {
          pool_->AddRef(recent_[i]);
          ids.push_back(recent_[i]);
        } else if (borrow) {
          ids.push_back(pool_->Borrow(block));
        } else {
          ids.push_back(pool_->Acquire(block, TileHash(block)));
        }
      }
    }
  } catch (...) {
    for (const TileId id : ids) pool_->Release(id);
    throw;
  }
  Snapshot snapshot(grid.width, grid.height, std::move(ids), pool_);
  Remember(snapshot.tiles_, grid.width, grid.height);
  return snapshot;
}

Picture Tiler::Restore(const Snapshot& snapshot) {
  Picture picture = Assemble(snapshot);
  if (snapshot.pool_ == pool_) Remember(snapshot.tiles_, snapshot.width_, snapshot.height_);
  return picture;
}

Picture Tiler::Assemble(const Snapshot& snapshot) const {
  const Grid grid{snapshot.width_, snapshot.height_};
  Picture picture;
  picture.width = grid.width;
  picture.height = grid.height;
  if (!snapshot.pool_) return picture;
  const TilePool& pool = *snapshot.pool_;
  // Appended row by row rather than sized up front, so no pixel is written twice.
  picture.pixels.reserve(static_cast<std::size_t>(grid.width) *
                         static_cast<std::size_t>(grid.height));
  const std::size_t columns = grid.Columns();
  for (std::size_t row = 0; row < grid.Rows(); ++row) {
    const TileId* band = snapshot.tiles_.data() + row * columns;
    for (int y = 0; y < grid.TileHeight(row); ++y) {
      for (std::size_t column = 0; column < columns; ++column) {
        const std::uint32_t* pixels = pool.Row(band[column], y);
        picture.pixels.insert(picture.pixels.end(), pixels, pixels + grid.TileWidth(column));
      }
    }
  }
  return picture;
}

void Tiler::Remember(std::vector<TileId> ids, int width, int height) {
  std::vector<std::uint32_t> generations(ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) generations[i] = pool_->GenerationOf(ids[i]);
  recent_generations_.swap(generations);
  recent_.swap(ids);
  recent_width_ = width;
  recent_height_ = height;
}

void History::Start(Surface& surface) {
  surface.Commit();
  surface.TakeBackgroundChanges();  // everything is new: no snapshot to compare with
  const PixelView background = surface.Background();
  Snapshot first = SamePixels(surface.Frozen(), background) ? tiler_.Borrow(surface.Frozen())
                                                            : tiler_.Take(background);
  snapshots_.clear();
  snapshots_.push_back(std::move(first));
  steps_.assign(1, 0);
  current_ = 1;
  steps_shown_ = 0;
}

void History::Push(Surface& surface, int new_steps) {
  surface.Commit();
  // Taken aside first and put in place by steps that cannot fail: a push that fails (out of
  // memory) leaves the snapshots, the shown one and the surface's change area as they were.
  // The background differs from the picture the tiler last took or restored (the shown snapshot)
  // only where it changed since then: every change since is taken here or by Show.
  Snapshot next = tiler_.Take(surface.Background(), surface.BackgroundChanges());
  const auto shown = static_cast<std::size_t>(current_);
  snapshots_.reserve(shown + 1);
  steps_.reserve(shown + 1);
  // Dropping the snapshots after the shown one frees every tile only they held.
  snapshots_.resize(shown);
  snapshots_.push_back(std::move(next));
  steps_.resize(shown);
  steps_.push_back(steps_shown_ + new_steps);
  current_ += 1;
  steps_shown_ = steps_.back();
  surface.TakeBackgroundChanges();
}

bool History::Undo(Surface& surface) {
  if (current_ <= 1) return false;
  // The position moves only once the picture is shown: an undo that fails changes nothing.
  Show(current_ - 1, surface);
  current_ -= 1;
  return true;
}

bool History::Redo(Surface& surface) {
  if (current_ >= Count()) return false;
  Show(current_ + 1, surface);
  current_ += 1;
  return true;
}

void History::Truncate() {
  if (snapshots_.empty()) return;
  snapshots_.resize(1);
  steps_.resize(1);
  current_ = 1;
}

Picture History::PictureAt(int k) const {
  return tiler_.Assemble(snapshots_.at(static_cast<std::size_t>(k - 1)));
}

void History::Show(int k, Surface& surface) {
  const Picture picture = tiler_.Restore(snapshots_.at(static_cast<std::size_t>(k - 1)));
  try {
    surface.SetPicture(picture);
  } catch (...) {
    // The tiler now remembers a picture the surface does not show: its hint would be wrong.
    tiler_.ForgetRecent();
    throw;
  }
  surface.TakeBackgroundChanges();  // the background is now the picture the tiler just restored
  steps_shown_ = steps_.at(static_cast<std::size_t>(k - 1));
}

std::size_t History::Bytes() const {
  std::size_t total = tiler_.Pool().Bytes();
  for (const Snapshot& s : snapshots_) total += s.size();
  return total;
}

}  // namespace capture
