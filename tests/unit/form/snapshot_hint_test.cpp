// Pushes trust the surface's changed area to skip tiles that cannot have changed. These tests
// make sure that trust never costs a pixel, whatever happened to the history in between.
#include <gtest/gtest.h>

#include <random>

#include "form/history.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

struct HintTest : ::testing::Test {
  HintTest() {
    surface.SetPersistent(true);
    surface.Paste(fake::NoisePicture(300, 200, 9), 0, 0);
    history.Start(surface);
  }
  void DrawAndPush(float x, float y, Colour colour) {
    surface.Box(x, y, x + 40, y + 30, colour);
    history.Push(surface);
  }
  Picture Stored(int k) const { return history.PictureAt(k); }

  fake::FakeSurface surface;
  History history;
};

TEST_F(HintTest, TilesOfADroppedSnapshotAreNeverTakenForUnchanged) {
  DrawAndPush(10, 10, Rgb(255, 0, 0));  // snapshot 2, remembered by the tiler
  history.Truncate();                   // frees snapshot 2's own tiles
  DrawAndPush(200, 150, Rgb(0, 0, 255));
  // The first box lies outside the changed area of this push, but its tiles were freed: they
  // must come from the picture, not from the forgotten snapshot.
  EXPECT_EQ(Stored(2), surface.background());
}

TEST_F(HintTest, FreedSlotsReusedByOtherTilesAreNotMistakenForTheOldOnes) {
  DrawAndPush(10, 10, Rgb(255, 0, 0));
  history.Truncate();
  // New tiles may now sit in the freed slots; the tiler still remembers the old ids.
  surface.Box(130, 70, 170, 100, Rgb(0, 255, 0));
  history.Push(surface);
  DrawAndPush(250, 10, Rgb(0, 0, 255));
  EXPECT_EQ(Stored(2), [&] {
    history.Undo(surface);
    return surface.background();
  }());
  history.Redo(surface);
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
      expected.resize(static_cast<std::size_t>(history.Current()));
      expected.push_back(surface.background());
      shows_a_snapshot = true;
    } else if (action < 8 && history.Current() > 1) {  // undo
      history.Undo(surface);
      shows_a_snapshot = true;
    } else if (action < 9 && history.Current() < history.Count()) {  // redo
      history.Redo(surface);
      shows_a_snapshot = true;
    } else if (action == 9) {  // a handle press: the picture keeps its annotations
      history.Truncate();
      expected.resize(2);
      shows_a_snapshot = false;
    }
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(history.Count()) + 1);
    if (shows_a_snapshot) {
      ASSERT_EQ(surface.background(), expected[static_cast<std::size_t>(history.Current())])
          << "step " << step;
    }
  }
  for (int k = 1; k <= history.Count(); ++k) {
    ASSERT_EQ(Stored(k), expected[static_cast<std::size_t>(k)]) << "snapshot " << k;
  }
}

}  // namespace
}  // namespace capture
