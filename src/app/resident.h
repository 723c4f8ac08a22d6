// The resident program's life: idle in the notification area, one capture at a time, idle again
// once the capture has ended, until it is asked to quit.
#pragma once

namespace capture {

// What the resident program asks of the system around it.
class ResidentShell {
 public:
  virtual ~ResidentShell() = default;
  // Runs one whole capture (start-up, selection, annotating, its end) with objects of its own and
  // returns once it has ended, however it ended; a start-up failure has been shown by then, and
  // nothing is thrown.
  // Requests that arrive meanwhile come back into Resident. The screen is read after `delay_ms`.
  virtual void RunCapture(int delay_ms) = 0;
  // Leaves the notification area and ends the program; false when the program stays after all
  // (its user, told that pins could not be kept, chose to keep them open).
  virtual bool Leave() = 0;
};

// The wait of the menu's 延时截图 before the screen is read.
inline constexpr int kMenuDelayMs = 3000;

class Resident {
 public:
  enum class State { Idle, Capturing, Ended };

  explicit Resident(ResidentShell& shell) : shell_(shell) {}
  Resident(const Resident&) = delete;
  Resident& operator=(const Resident&) = delete;

  // The hotkey or the menu's 截图 (延时截图: after kMenuDelayMs): a capture, unless one is
  // running or waiting already (then nothing).
  void CaptureRequested(int delay_ms = 0);
  // The menu's 退出 or --quit from another process. During a capture the program ends once the
  // capture has ended: what the user is doing on the frozen screen is not thrown away under them.
  // A quit the shell does not go through with leaves the program idle, as if never asked.
  void QuitRequested();

  State state() const { return state_; }

 private:
  ResidentShell& shell_;  // not owned
  State state_ = State::Idle;
  bool quit_requested_ = false;
};

}  // namespace capture
