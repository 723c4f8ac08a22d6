// Pushes trust the surface's changed area to skip tiles that cannot have changed. These tests
// make sure that trust never costs a pixel, whatever happened to the store in between.
#include <gtest/gtest.h>

#include <random>

#include "form/snapshot_store.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

struct HintTest : ::testing::Test {
  HintTest() {
    surface.SetPersistent(true);
    surface.Paste(fake::NoisePicture(300, 200, 9), 0, 0);
    store.Start(surface);
  }
  void DrawAndPush(float x, float y, Colour colour) {
    surface.Box(x, y, x + 40, y + 30, colour);
    store.Push(surface);
  }
  Picture Stored(int k) { return store.Bag->ReadP(store.Snap[static_cast<std::size_t>(k)]); }

  fake::FakeSurface surface;
  SnapshotStore store;
};

TEST_F(HintTest, TilesOfADroppedSnapshotAreNeverTakenForUnchanged) {
  DrawAndPush(10, 10, Rgb(255, 0, 0));  // snapshot 2, remembered by the bag
  store.Cut();                          // frees snapshot 2's own tiles
  DrawAndPush(200, 150, Rgb(0, 0, 255));
  // The first box lies outside the changed area of this push, but its tiles were freed: they
  // must come from the picture, not from the forgotten snapshot.
  EXPECT_EQ(Stored(2), surface.background());
}

TEST_F(HintTest, FreedSlotsReusedByOtherTilesAreNotMistakenForTheOldOnes) {
  DrawAndPush(10, 10, Rgb(255, 0, 0));
  store.Cut();
  // New tiles may now sit in the freed slots; the bag still remembers the old ids.
  surface.Box(130, 70, 170, 100, Rgb(0, 255, 0));
  store.Push(surface);
  DrawAndPush(250, 10, Rgb(0, 0, 255));
  EXPECT_EQ(Stored(2), [&] {
    store.Show(2, surface);
    return surface.background();
  }());
  store.Show(3, surface);
  EXPECT_EQ(Stored(3), surface.background());
}

TEST_F(HintTest, RandomHistory_EverySnapshotRestoresExactlyWhatWasPushed) {
  std::mt19937 random(7);
  std::vector<Picture> expected = {Picture(), surface.background()};
  bool shows_a_snapshot = true;  // not after a cut: the picture keeps its annotations
  for (int step = 0; step < 200; ++step) {
    const int action = static_cast<int>(random() % 10);
    if (action < 6) {  // annotate and push
      const auto x = static_cast<float>(random() % 300), y = static_cast<float>(random() % 200);
      DrawAndPush(x - 20, y - 15, Rgb(int(random() % 256), int(random() % 256), 0));
      expected.resize(static_cast<std::size_t>(store.SnapIdx));
      expected.push_back(surface.background());
      shows_a_snapshot = true;
    } else if (action < 8 && store.SnapIdx > 1) {  // undo
      store.SnapIdx -= 1;
      store.Show(store.SnapIdx, surface);
      shows_a_snapshot = true;
    } else if (action < 9 && store.SnapIdx < store.SnapMax) {  // redo
      store.SnapIdx += 1;
      store.Show(store.SnapIdx, surface);
      shows_a_snapshot = true;
    } else if (action == 9) {  // a handle press: the picture keeps its annotations
      store.Cut();
      expected.resize(2);
      shows_a_snapshot = false;
    }
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(store.SnapMax) + 1);
    if (shows_a_snapshot) {
      ASSERT_EQ(surface.background(), expected[static_cast<std::size_t>(store.SnapIdx)])
          << "step " << step;
    }
  }
  for (int k = 1; k <= store.SnapMax; ++k) {
    ASSERT_EQ(Stored(k), expected[static_cast<std::size_t>(k)]) << "snapshot " << k;
  }
}

}  // namespace
}  // namespace capture
