#include "form/history.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;

std::size_t Index(int i) {
  return static_cast<std::size_t>(i);
}

std::size_t TilesOf(const Tiler& bag) {
  return bag.Pool().TileCount();
}

// ---- Tiler ----

class RoundTripTest : public ::testing::TestWithParam<SizeI> {};

TEST_P(RoundTripTest, Restore_GivesBackEveryPixelAndTheSize) {
  const Picture picture = fake::NoisePicture(GetParam().width, GetParam().height, 7);
  Tiler bag;
  Snapshot data;

  data = bag.Take(PixelView::Of(picture));

  EXPECT_EQ(bag.Restore(data), picture);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RoundTripTest,
                         ::testing::Values(SizeI{0, 0}, SizeI{1, 1}, SizeI{0, 5}, SizeI{5, 0},
                                           SizeI{64, 64}, SizeI{65, 63}, SizeI{1, 200},
                                           SizeI{200, 1}, SizeI{130, 129}));

TEST(TilerTest, Restore_OfAViewIntoALargerPicture_GivesJustThatPart) {
  const Picture whole = fake::NoisePicture(200, 150, 3);
  const PixelView view{whole.pixels.data() + 7 * std::ptrdiff_t{whole.width} + 13, 100, 70,
                       whole.width};
  Picture part(100, 70);
  for (int y = 0; y < 70; ++y) {
    for (int x = 0; x < 100; ++x) part.at(x, y) = whole.at(13 + x, 7 + y);
  }
  Tiler bag;
  Snapshot data;

  data = bag.Take(view);

  EXPECT_EQ(bag.Restore(data), part);
}

TEST(TilerTest, Take_PicturesDifferingInOnePixel_ShareEveryOtherTile) {
  const Picture before = fake::NoisePicture(200, 130, 5);  // 4 x 3 tiles
  Picture after = before;
  after.at(150, 100) ^= 1;
  Tiler bag;
  Snapshot first, second, again;

  first = bag.Take(PixelView::Of(before));
  second = bag.Take(PixelView::Of(after));
  again = bag.Take(PixelView::Of(after));

  EXPECT_EQ(TilesOf(bag), 13u);
  EXPECT_EQ(bag.Restore(first), before);
  EXPECT_EQ(bag.Restore(second), after);
  EXPECT_EQ(bag.Restore(again), after);
}

TEST(TilerTest, Take_EqualTilesInOnePicture_AreHeldOnce) {
  const Picture plain(256, 256, 0x336699);
  Tiler bag;
  Snapshot data;

  data = bag.Take(PixelView::Of(plain));

  EXPECT_EQ(TilesOf(bag), 1u);
  EXPECT_EQ(bag.Pool().Bytes(), std::size_t{kTileSize} * kTileSize * 4);
  EXPECT_EQ(bag.Restore(data), plain);
}

TEST(TilerTest, Snapshots_LetTheirTilesGoWhenOverwrittenOrDestroyed) {
  const Picture a = fake::NoisePicture(130, 70, 1), b = fake::NoisePicture(130, 70, 2);
  Tiler bag;
  {
    Snapshot data;
    data = bag.Take(PixelView::Of(a));
    const Snapshot copy = data;
    data = bag.Take(PixelView::Of(b));

    EXPECT_EQ(TilesOf(bag), 12u);  // six of a, kept by the copy, and six of b
    EXPECT_EQ(bag.Restore(copy), a);
    EXPECT_EQ(bag.Restore(data), b);
  }
  EXPECT_EQ(TilesOf(bag), 0u);
  EXPECT_EQ(bag.Pool().Bytes(), 0u);
}

// Snapshots in a few slots are written, copied, dropped and read in a fixed pseudo-random order.
// Pictures are made of four tile patterns, so tiles are shared within and between pictures, and
// freed slots are reused while stale place hints still point at them. The pool must always hold
// exactly the patterns that live snapshots use, and every snapshot must read back exactly.
TEST(TilerTest, ManyWritesAndDrops_KeepExactlyTheTilesInUse) {
  constexpr int kColumns = 3, kRows = 2, kSlots = 5;
  Picture patterns[4];
  for (std::uint32_t p = 0; p < 4; ++p)
    patterns[p] = fake::NoisePicture(kTileSize, kTileSize, p + 1);
  auto compose = [&](const std::vector<int>& layout) {
    Picture out(kColumns * kTileSize, kRows * kTileSize);
    for (int y = 0; y < out.height; ++y) {
      for (int x = 0; x < out.width; ++x) {
        const int p =
            layout[static_cast<std::size_t>(y / kTileSize) * static_cast<std::size_t>(kColumns) +
                   static_cast<std::size_t>(x / kTileSize)];
        out.at(x, y) = patterns[p].at(x % kTileSize, y % kTileSize);
      }
    }
    return out;
  };

  Tiler bag;
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
        std::vector<int> layout(std::size_t{kColumns} * std::size_t{kRows});
        for (int& p : layout) p = next(4);
        slots.at(Index(slot)) = bag.Take(PixelView::Of(compose(layout)));
        model[slot] = layout;
        break;
      }
      case 2:
        slots.at(Index(slot)) = Snapshot();
        model.erase(slot);
        break;
      default: {
        const int from = next(kSlots);
        slots.at(Index(slot)) = slots.at(Index(from));
        if (model.count(from))
          model[slot] = model[from];
        else
          model.erase(slot);
      }
    }
    std::set<int> in_use;
    for (const auto& [s, layout] : model) {
      in_use.insert(layout.begin(), layout.end());
      ASSERT_EQ(bag.Restore(slots.at(Index(s))), compose(layout))
          << "round " << round << " slot " << s;
    }
    ASSERT_EQ(TilesOf(bag), in_use.size()) << "round " << round;
  }
}

class NoPictureTest : public ::testing::Test {
 protected:
  void SetUp() override { good = bag.Take(PixelView::Of(picture)); }

  Picture picture = fake::NoisePicture(100, 70, 9);  // 2 x 2 tiles
  Tiler bag;
  Snapshot good;
};

TEST_F(NoPictureTest, Take_OfAViewThatIsNoPicture_ThrowsAndKeepsWhatDataHeld) {
  const PixelView negative{picture.pixels.data(), -1, 70, 100};
  const PixelView short_stride{picture.pixels.data(), 100, 70, 99};

  EXPECT_THROW(good = bag.Take(negative), std::invalid_argument);
  EXPECT_THROW(good = bag.Take(short_stride), std::invalid_argument);

  EXPECT_EQ(bag.Restore(good), picture);
}

// ---- History ----

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    surface.SetPersistent(true);
    surface.Paste(fake::NoisePicture(320, 200, 4), 0, 0);  // 5 x 4 tiles
    history.Start(surface);
    pictures.push_back(Picture());
    pictures.push_back(surface.background());
  }

  // Draws a small box inside tile (column, row) and pushes the result.
  void AnnotateAndPush(int column, int row) {
    const float x = static_cast<float>(column * kTileSize + 10);
    const float y = static_cast<float>(row * kTileSize + 10);
    surface.Box(x, y, x + 30, y + 20, Rgb(255, 0, 0));
    history.Push(surface);
    pictures.push_back(surface.background());
  }

  Picture Restored(int k) const { return history.PictureAt(k); }

  fake::FakeSurface surface;
  History history;
  std::vector<Picture> pictures;  // what element k should restore to
};

TEST_F(HistoryTest, ThreePushes_FillElementsOneToFour) {
  AnnotateAndPush(0, 0);
  AnnotateAndPush(1, 0);
  AnnotateAndPush(2, 0);

  EXPECT_EQ(history.Current(), 4);
  EXPECT_EQ(history.Count(), 4);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(Restored(k), pictures[static_cast<std::size_t>(k)]) << k;
  }
}

TEST_F(HistoryTest, Push_CostsOnlyTheTilesTheAnnotationTouched) {
  const std::size_t tile_bytes = std::size_t{kTileSize} * kTileSize * 4;
  const std::size_t start = history.Bytes();

  AnnotateAndPush(1, 1);
  const std::size_t one_tile = history.Bytes();
  surface.Box(60, 60, 70, 70, Rgb(0, 0, 255));  // across the corner of four tiles
  history.Push(surface);

  EXPECT_EQ(one_tile - start, tile_bytes + history.Snapshots()[1].size());
  EXPECT_EQ(history.Bytes() - one_tile, 4 * tile_bytes + history.Snapshots()[2].size());
}

TEST_F(HistoryTest, PushAfterUndo_ReplacesTheSnapshotsAboveAndFreesTheirTiles) {
  AnnotateAndPush(0, 0);
  AnnotateAndPush(1, 0);
  AnnotateAndPush(2, 0);
  ASSERT_TRUE(history.Undo(surface));
  ASSERT_TRUE(history.Undo(surface));
  const std::size_t before = history.Bytes();

  surface.Box(200, 150, 230, 170, Rgb(0, 255, 0));
  history.Push(surface);

  EXPECT_EQ(history.Current(), 3);
  EXPECT_EQ(history.Count(), 3);
  EXPECT_EQ(Restored(3), surface.background());
  EXPECT_NE(Restored(3), pictures[3]);
  EXPECT_EQ(Restored(2), pictures[2]);
  EXPECT_LT(history.Bytes(), before);  // two snapshots of one new tile each went, one came
}

TEST_F(HistoryTest, Truncate_KeepsOnlyTheFirstSnapshotAndLeavesTheSurfaceAlone) {
  const std::size_t start = history.Bytes();
  for (int i = 0; i < 4; ++i) AnnotateAndPush(i, 1);
  ASSERT_EQ(history.Count(), 5);
  const Picture shown = surface.retained();
  const int commits = surface.commits;

  history.Truncate();

  EXPECT_EQ(history.Current(), 1);
  EXPECT_EQ(history.Count(), 1);
  EXPECT_EQ(Restored(1), pictures[1]);
  EXPECT_EQ(history.Bytes(), start);
  EXPECT_EQ(surface.retained(), shown);
  EXPECT_EQ(surface.background(), shown);
  EXPECT_EQ(surface.commits, commits);
}

TEST_F(HistoryTest, UndoAndRedo_PutThatPictureBackOnTheSurface) {
  AnnotateAndPush(0, 0);
  AnnotateAndPush(3, 2);

  history.Undo(surface);
  EXPECT_EQ(surface.background(), pictures[2]);
  EXPECT_EQ(surface.retained(), pictures[2]);
  EXPECT_EQ(surface.window_layer(), pictures[2]);

  history.Undo(surface);
  EXPECT_EQ(surface.retained(), pictures[1]);
  history.Redo(surface);
  history.Redo(surface);
  EXPECT_EQ(surface.retained(), pictures[3]);
}

TEST_F(HistoryTest, UndoAtTheFirstAndRedoAtTheNewest_ChangeNothing) {
  EXPECT_FALSE(history.Undo(surface));
  EXPECT_FALSE(history.Redo(surface));
  EXPECT_EQ(history.Current(), 1);
  EXPECT_EQ(surface.retained(), pictures[1]);
}

}  // namespace
}  // namespace capture
