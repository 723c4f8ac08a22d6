// --quit: ask the session's resident instance to end and wait, a bounded time, until it has.
#pragma once

#include <string>

namespace capture {

// The session's resident instance, as another process of the program reaches it.
class ResidentInstance {
 public:
  enum class Asked { NoneRunning, Asked, Unreachable };

  virtual ~ResidentInstance() = default;
  // Finds the instance and asks it to quit.
  virtual Asked AskToQuit() = 0;
  // Waits at most `milliseconds` for the asked instance's process to end; true once it has.
  virtual bool WaitEnded(int milliseconds) = 0;
  // Whether the instance has a capture open, which it finishes before it quits.
  virtual bool Capturing() = 0;
  // Once it has ended: whether its exit status says that pins open at its end were not kept.
  virtual bool LostPins() = 0;
};

// How --quit ended: the exit status, and the line for stderr when it failed (empty when not).
struct QuitOutcome {
  int status = 0;
  std::u16string error;
  friend bool operator==(const QuitOutcome&, const QuitOutcome&) = default;
};

inline constexpr int kQuitWaitMilliseconds = 5000;
inline constexpr int kQuitFailedStatus = 1;
// The resident program's exit status when pins open at its end could not be kept.
inline constexpr int kPinsNotKeptStatus = 5;

// Status 0 only when the instance has ended, or none was running: a caller that goes on to
// replace or remove the program relies on it being gone. Pins it could not keep are reported,
// the status still 0: it has ended.
QuitOutcome QuitResident(ResidentInstance& instance);

}  // namespace capture
