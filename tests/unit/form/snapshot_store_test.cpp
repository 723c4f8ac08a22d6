#include "form/snapshot_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <stdexcept>

#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;

std::size_t TilesOf(const ExcelPropertyBag& bag) {
  return bag.Pool().TileCount();
}

// ---- ExcelPropertyBag ----

class RoundTripTest : public ::testing::TestWithParam<SizeI> {};

TEST_P(RoundTripTest, ReadP_GivesBackEveryPixelAndTheSize) {
  const Picture picture = fake::NoisePicture(GetParam().width, GetParam().height, 7);
  ExcelPropertyBag bag;
  Snapshot data;

  bag.WriteP(data, PixelView::Of(picture));

  EXPECT_EQ(bag.ReadP(data), picture);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RoundTripTest,
                         ::testing::Values(SizeI{0, 0}, SizeI{1, 1}, SizeI{0, 5}, SizeI{5, 0},
                                           SizeI{64, 64}, SizeI{65, 63}, SizeI{1, 200},
                                           SizeI{200, 1}, SizeI{130, 129}));

TEST(ExcelPropertyBagTest, ReadP_OfAViewIntoALargerPicture_GivesJustThatPart) {
  const Picture whole = fake::NoisePicture(200, 150, 3);
  const PixelView view{whole.pixels.data() + 7 * whole.width + 13, 100, 70, whole.width};
  Picture part(100, 70);
  for (int y = 0; y < 70; ++y) {
    for (int x = 0; x < 100; ++x) part.at(x, y) = whole.at(13 + x, 7 + y);
  }
  ExcelPropertyBag bag;
  Snapshot data;

  bag.WriteP(data, view);

  EXPECT_EQ(bag.ReadP(data), part);
}

TEST(ExcelPropertyBagTest, WriteP_PicturesDifferingInOnePixel_ShareEveryOtherTile) {
  const Picture before = fake::NoisePicture(200, 130, 5);  // 4 x 3 tiles
  Picture after = before;
  after.at(150, 100) ^= 1;
  ExcelPropertyBag bag;
  Snapshot first, second, again;

  bag.WriteP(first, PixelView::Of(before));
  bag.WriteP(second, PixelView::Of(after));
  bag.WriteP(again, PixelView::Of(after));

  EXPECT_EQ(TilesOf(bag), 13u);
  EXPECT_EQ(bag.ReadP(first), before);
  EXPECT_EQ(bag.ReadP(second), after);
  EXPECT_EQ(bag.ReadP(again), after);
}

TEST(ExcelPropertyBagTest, WriteP_EqualTilesInOnePicture_AreHeldOnce) {
  const Picture plain(256, 256, 0x336699);
  ExcelPropertyBag bag;
  Snapshot data;

  bag.WriteP(data, PixelView::Of(plain));

  EXPECT_EQ(TilesOf(bag), 1u);
  EXPECT_EQ(bag.Pool().Bytes(), std::size_t{kTileSize} * kTileSize * 4);
  EXPECT_EQ(bag.ReadP(data), plain);
}

TEST(ExcelPropertyBagTest, Snapshots_LetTheirTilesGoWhenOverwrittenOrDestroyed) {
  const Picture a = fake::NoisePicture(130, 70, 1), b = fake::NoisePicture(130, 70, 2);
  ExcelPropertyBag bag;
  {
    Snapshot data;
    bag.WriteP(data, PixelView::Of(a));
    const Snapshot copy = data;
    bag.WriteP(data, PixelView::Of(b));

    EXPECT_EQ(TilesOf(bag), 12u);  // six of a, kept by the copy, and six of b
    EXPECT_EQ(bag.ReadP(copy), a);
    EXPECT_EQ(bag.ReadP(data), b);
  }
  EXPECT_EQ(TilesOf(bag), 0u);
  EXPECT_EQ(bag.Pool().Bytes(), 0u);
}

// Snapshots in a few slots are written, copied, dropped and read in a fixed pseudo-random order.
// Pictures are made of four tile patterns, so tiles are shared within and between pictures, and
// freed slots are reused while stale place hints still point at them. The pool must always hold
// exactly the patterns that live snapshots use, and every snapshot must read back exactly.
TEST(ExcelPropertyBagTest, ManyWritesAndDrops_KeepExactlyTheTilesInUse) {
  constexpr int kColumns = 3, kRows = 2, kSlots = 5;
  Picture patterns[4];
  for (std::uint32_t p = 0; p < 4; ++p)
    patterns[p] = fake::NoisePicture(kTileSize, kTileSize, p + 1);
  auto compose = [&](const std::vector<int>& layout) {
    Picture out(kColumns * kTileSize, kRows * kTileSize);
    for (int y = 0; y < out.height; ++y) {
      for (int x = 0; x < out.width; ++x) {
        const int p = layout[static_cast<std::size_t>((y / kTileSize) * kColumns + x / kTileSize)];
        out.at(x, y) = patterns[p].at(x % kTileSize, y % kTileSize);
      }
    }
    return out;
  };

  ExcelPropertyBag bag;
  std::vector<Snapshot> slots(kSlots);
  std::map<int, std::vector<int>> model;  // slot -> layout of the picture it holds
  std::uint32_t state = 12345;
  auto next = [&](std::uint32_t n) {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) % n);
  };
  for (int round = 0; round < 300; ++round) {
    const int slot = next(kSlots);
    switch (next(4)) {
      case 0:
      case 1: {
        std::vector<int> layout(kColumns * kRows);
        for (int& p : layout) p = next(4);
        bag.WriteP(slots[slot], PixelView::Of(compose(layout)));
        model[slot] = layout;
        break;
      }
      case 2:
        slots[slot] = Snapshot();
        model.erase(slot);
        break;
      default: {
        const int from = next(kSlots);
        slots[slot] = slots[from];
        if (model.count(from))
          model[slot] = model[from];
        else
          model.erase(slot);
      }
    }
    std::set<int> in_use;
    for (const auto& [s, layout] : model) {
      in_use.insert(layout.begin(), layout.end());
      ASSERT_EQ(bag.ReadP(slots[s]), compose(layout)) << "round " << round << " slot " << s;
    }
    ASSERT_EQ(TilesOf(bag), in_use.size()) << "round " << round;
  }
}

class MalformedTest : public ::testing::Test {
 protected:
  void SetUp() override { bag.WriteP(good, PixelView::Of(picture)); }

  // A copy of the good snapshot's bytes, changed at one place.
  template <typename T>
  Snapshot Changed(std::size_t at, T value) const {
    std::vector<std::uint8_t> bytes = good.bytes();
    std::memcpy(bytes.data() + at, &value, sizeof value);
    return Snapshot(bytes);
  }

  Picture picture = fake::NoisePicture(100, 70, 9);  // 2 x 2 tiles
  ExcelPropertyBag bag;
  Snapshot good;
};

TEST_F(MalformedTest, ReadP_OfBytesWriteP_DidNotWrite_Throws) {
  std::vector<std::uint8_t> shorter = good.bytes(), longer = good.bytes();
  shorter.pop_back();
  longer.push_back(0);
  const Snapshot bad[] = {
      Snapshot(),
      Snapshot(shorter),
      Snapshot(longer),
      Changed<char>(0, 'P'),                       // another key
      Changed<std::uint8_t>(3, 2),                 // another format
      Changed<std::int32_t>(4, -100),              // negative width
      Changed<std::int32_t>(4, 101),               // same tile count, other edge tile width
      Changed<std::int32_t>(8, 0x7FFFFFFF),        // a huge picture from a few bytes
      Changed<std::uint32_t>(12, 32),              // another tile size
      Changed<std::uint32_t>(16, 3),               // fewer tiles than the size needs
      Changed<std::uint32_t>(20, 0xFFFFFFFF),      // a slot the pool never had
      Changed<std::uint64_t>(24, 0x0123456789ull)  // a tile that is not the one written
  };
  for (std::size_t i = 0; i < std::size(bad); ++i) {
    EXPECT_THROW(bag.ReadP(bad[i]), std::invalid_argument) << "case " << i;
  }
  EXPECT_EQ(bag.ReadP(good), picture);
}

TEST_F(MalformedTest, ReadP_OfCopiedBytes_WorksOnlyWhileTheirTilesAreHeld) {
  const Snapshot copied(good.bytes());
  EXPECT_EQ(bag.ReadP(copied), picture);

  good = Snapshot();
  bag.WriteP(good, PixelView::Of(fake::NoisePicture(100, 70, 10)));  // reuses the freed slots

  EXPECT_THROW(bag.ReadP(copied), std::invalid_argument);
}

TEST_F(MalformedTest, WriteP_OfAViewThatIsNoPicture_ThrowsAndKeepsWhatDataHeld) {
  const PixelView negative{picture.pixels.data(), -1, 70, 100};
  const PixelView short_stride{picture.pixels.data(), 100, 70, 99};

  EXPECT_THROW(bag.WriteP(good, negative), std::invalid_argument);
  EXPECT_THROW(bag.WriteP(good, short_stride), std::invalid_argument);

  EXPECT_EQ(bag.ReadP(good), picture);
}

// ---- SnapshotStore ----

class SnapshotStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    surface.SetPersistent(true);
    surface.Paste(fake::NoisePicture(320, 200, 4), 0, 0);  // 5 x 4 tiles
    store.Start(surface);
    pictures.push_back(Picture());
    pictures.push_back(surface.background());
  }

  // Draws a small box inside tile (column, row) and pushes the result.
  void AnnotateAndPush(int column, int row) {
    const float x = static_cast<float>(column * kTileSize + 10);
    const float y = static_cast<float>(row * kTileSize + 10);
    surface.Box(x, y, x + 30, y + 20, Rgb(255, 0, 0));
    store.Push(surface);
    pictures.push_back(surface.background());
  }

  Picture Restored(std::size_t k) { return store.Bag->ReadP(store.Snap[k]); }

  fake::FakeSurface surface;
  SnapshotStore store;
  std::vector<Picture> pictures;  // what element k should restore to
};

TEST_F(SnapshotStoreTest, ThreePushes_FillElementsOneToFour) {
  AnnotateAndPush(0, 0);
  AnnotateAndPush(1, 0);
  AnnotateAndPush(2, 0);

  EXPECT_EQ(store.SnapIdx, 4);
  EXPECT_EQ(store.SnapMax, 4);
  ASSERT_EQ(store.Snap.size(), 5u);
  EXPECT_TRUE(store.Snap[0].empty());
  for (std::size_t k = 1; k <= 4; ++k) EXPECT_EQ(Restored(k), pictures[k]) << k;
}

TEST_F(SnapshotStoreTest, Push_CostsOnlyTheTilesTheAnnotationTouched) {
  const std::size_t tile_bytes = std::size_t{kTileSize} * kTileSize * 4;
  const std::size_t start = store.Bytes();

  AnnotateAndPush(1, 1);
  const std::size_t one_tile = store.Bytes();
  surface.Box(60, 60, 70, 70, Rgb(0, 0, 255));  // across the corner of four tiles
  store.Push(surface);

  EXPECT_EQ(one_tile - start, tile_bytes + store.Snap[2].size());
  EXPECT_EQ(store.Bytes() - one_tile, 4 * tile_bytes + store.Snap[3].size());
}

TEST_F(SnapshotStoreTest, PushAfterUndo_ReplacesTheSnapshotsAboveAndFreesTheirTiles) {
  AnnotateAndPush(0, 0);
  AnnotateAndPush(1, 0);
  AnnotateAndPush(2, 0);
  store.SnapIdx = 2;  // two undos
  store.Show(2, surface);
  const std::size_t before = store.Bytes();

  surface.Box(200, 150, 230, 170, Rgb(0, 255, 0));
  store.Push(surface);

  EXPECT_EQ(store.SnapIdx, 3);
  EXPECT_EQ(store.SnapMax, 3);
  ASSERT_EQ(store.Snap.size(), 4u);
  EXPECT_EQ(Restored(3), surface.background());
  EXPECT_NE(Restored(3), pictures[3]);
  EXPECT_EQ(Restored(2), pictures[2]);
  EXPECT_LT(store.Bytes(), before);  // two snapshots of one new tile each went, one came
}

TEST_F(SnapshotStoreTest, Cut_KeepsOnlyTheFirstSnapshotAndLeavesTheSurfaceAlone) {
  const std::size_t start = store.Bytes();
  for (int i = 0; i < 4; ++i) AnnotateAndPush(i, 1);
  ASSERT_EQ(store.SnapMax, 5);
  const Picture shown = surface.retained();
  const int commits = surface.commits;

  store.Cut();

  EXPECT_EQ(store.SnapIdx, 1);
  EXPECT_EQ(store.SnapMax, 1);
  ASSERT_EQ(store.Snap.size(), 2u);
  EXPECT_EQ(Restored(1), pictures[1]);
  EXPECT_EQ(store.Bytes(), start);
  EXPECT_EQ(surface.retained(), shown);
  EXPECT_EQ(surface.background(), shown);
  EXPECT_EQ(surface.commits, commits);
}

TEST_F(SnapshotStoreTest, Show_PutsThatPictureBackOnTheSurface) {
  AnnotateAndPush(0, 0);
  AnnotateAndPush(3, 2);

  store.Show(2, surface);
  EXPECT_EQ(surface.background(), pictures[2]);
  EXPECT_EQ(surface.retained(), pictures[2]);
  EXPECT_EQ(surface.window_layer(), pictures[2]);

  store.Show(1, surface);
  EXPECT_EQ(surface.retained(), pictures[1]);
  store.Show(3, surface);
  EXPECT_EQ(surface.retained(), pictures[3]);
}

TEST_F(SnapshotStoreTest, Show_OutsideTheStoredSnapshots_Throws) {
  EXPECT_THROW(store.Show(0, surface), std::invalid_argument);
  EXPECT_THROW(store.Show(2, surface), std::out_of_range);
  EXPECT_EQ(surface.retained(), pictures[1]);
}

}  // namespace
}  // namespace capture
