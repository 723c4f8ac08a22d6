#include <gtest/gtest.h>

#include "form/capture_form.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"

namespace capture {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  fake::FakePlatform fake{fake::NoisePicture(320, 200)};
  CaptureForm form{fake.platform};
  CaptureRun run{form};
};

TEST_F(StartupTest, Load_FreezesTheScreenAndStoresItAsSnapshotOne) {
  run.Load();

  EXPECT_EQ(form.SelMode, SelectionMode::Draw);
  EXPECT_FALSE(form.DrawOn);
  EXPECT_FALSE(form.PenDown);
  EXPECT_FALSE(form.SelCleared);
  EXPECT_EQ(form.store.SnapIdx, 1);
  EXPECT_EQ(form.store.SnapMax, 1);
  ASSERT_EQ(form.store.Snap.size(), 2u);
  EXPECT_TRUE(form.store.Snap[0].empty());
  EXPECT_TRUE(fake.surface.Persistent());
  EXPECT_EQ(fake.surface.background(), fake.screen.Grab());
  EXPECT_EQ(fake.surface.retained(), fake.screen.Grab());
  EXPECT_EQ(form.store.Bag->ReadP(form.store.Snap[1]), fake.screen.Grab());
  EXPECT_EQ(form.store.Bytes(), form.store.Snap[1].size());  // the frozen pixels, not a copy
  EXPECT_EQ(fake.window.pointer, Pointer::Cross);
}

TEST_F(StartupTest, Load_HidesEveryControlAndLiftsTheToolbarAboveTheScreen) {
  run.Load();

  for (ControlId id :
       {ControlId::TextEdit, ControlId::Picture2, ControlId::Combo1, ControlId::Picture1,
        ControlId::lblInfo, ControlId::Shape1, ControlId::LblPos}) {
    EXPECT_FALSE(form.controls.ShownOnScreen(id)) << form[id].name;
  }
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(form[Image1(i)].visible);
  for (int i = 0; i < 9; ++i) EXPECT_FALSE(form[Shape3(i)].visible);
  EXPECT_FLOAT_EQ(form[ControlId::Picture1].top, -26.f);
  EXPECT_EQ(form.controls.HitTest({10, 10}), ControlId::Window);
}

}  // namespace
}  // namespace capture
