#include "app/resident.h"

namespace capture {

void Resident::CaptureRequested(int delay_ms) {
  if (state_ != State::Idle) return;
  state_ = State::Capturing;
  shell_.RunCapture(delay_ms);
  state_ = State::Idle;
  if (quit_requested_) QuitRequested();
}

void Resident::QuitRequested() {
  quit_requested_ = true;
  if (state_ != State::Idle) return;
  state_ = State::Ended;
  if (shell_.Leave()) return;
  state_ = State::Idle;
  quit_requested_ = false;
}

}  // namespace capture
