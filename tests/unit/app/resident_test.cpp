#include "app/resident.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "form/capture_form.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"

namespace capture {
namespace {

// Runs each capture as the Windows shell does, on a fresh fake platform, form and run; `during`
// stands for what arrives while the capture window is up. The user then presses Escape.
class FakeShell : public ResidentShell {
 public:
  void RunCapture(int) override {
    ++captures;
    fake::FakePlatform fake{fake::NoisePicture(64, 48)};
    CaptureForm form{fake.window, fake.screen};
    CaptureRun run{form, fake.platform};
    run.Load();
    open = &form;
    const int left_before = leaves;
    if (during) during();
    EXPECT_FALSE(form.Closed()) << "the capture ended before its user ended it";
    EXPECT_EQ(leaves, left_before) << "the program left during a capture";
    run.KeyPress({key::kEscape});
    EXPECT_TRUE(form.Closed());
    open = nullptr;
  }
  bool Leave() override {
    ++leaves;
    return !stays;
  }

  int captures = 0;
  int leaves = 0;
  bool stays = false;           // the user chooses to stay when asked
  CaptureForm* open = nullptr;  // the running capture's form, if any
  std::function<void()> during;
};

class ResidentTest : public ::testing::Test {
 protected:
  FakeShell shell;
  Resident resident{shell};
};

TEST_F(ResidentTest, EachRequestRunsOneCaptureAndReturnsToIdle) {
  Resident::State state_during = Resident::State::Idle;
  shell.during = [&] { state_during = resident.state(); };

  resident.CaptureRequested();
  resident.CaptureRequested();

  EXPECT_EQ(state_during, Resident::State::Capturing);
  EXPECT_EQ(shell.captures, 2);
  EXPECT_EQ(resident.state(), Resident::State::Idle);
  EXPECT_EQ(shell.leaves, 0);
}

TEST_F(ResidentTest, RequestDuringACaptureIsIgnored) {
  shell.during = [&] { resident.CaptureRequested(); };

  resident.CaptureRequested();

  EXPECT_EQ(shell.captures, 1);
  EXPECT_EQ(resident.state(), Resident::State::Idle);
}

TEST_F(ResidentTest, QuitWhenIdleLeavesAtOnceAndNothingStartsAfter) {
  resident.QuitRequested();
  resident.CaptureRequested();
  resident.QuitRequested();

  EXPECT_EQ(shell.leaves, 1);
  EXPECT_EQ(shell.captures, 0);
  EXPECT_EQ(resident.state(), Resident::State::Ended);
}

TEST_F(ResidentTest, QuitDuringACaptureLeavesOnceTheCaptureHasEnded) {
  shell.during = [&] {
    resident.QuitRequested();
    resident.CaptureRequested();
  };

  resident.CaptureRequested();

  EXPECT_EQ(shell.captures, 1);
  EXPECT_EQ(shell.leaves, 1);
  EXPECT_EQ(resident.state(), Resident::State::Ended);
}

TEST_F(ResidentTest, AQuitTheUserTakesBackLeavesTheProgramIdleAndItQuitsWhenAskedAgain) {
  shell.stays = true;
  shell.during = [&] { resident.QuitRequested(); };
  resident.CaptureRequested();
  EXPECT_EQ(shell.leaves, 1);
  EXPECT_EQ(resident.state(), Resident::State::Idle);

  shell.during = nullptr;
  resident.CaptureRequested();
  EXPECT_EQ(shell.captures, 2) << "the quit taken back still ends the program after a capture";
  EXPECT_EQ(shell.leaves, 1);

  shell.stays = false;
  resident.QuitRequested();
  EXPECT_EQ(shell.leaves, 2);
  EXPECT_EQ(resident.state(), Resident::State::Ended);
}

}  // namespace
}  // namespace capture
