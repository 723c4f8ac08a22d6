// Failures that are not the user's doing: a reaction that could not finish (out of memory at a
// large screen, a bad buffer) and a start-up that cannot freeze the screen.
#pragma once

#include <stdexcept>
#include <string>

namespace capture {

class Dialogs;

struct RunError {
  int number = 0;
  std::u16string description;
};

// Error numbers, with the runtime's usual meanings.
namespace run_error {
inline constexpr int kOutOfMemory = 7;
inline constexpr int kInternal = 51;          // an exception nobody foresaw
inline constexpr int kScreenUnreadable = 57;  // the screen could not be read (device I/O)
}  // namespace run_error

RunError OutOfMemory();
// An unforeseen exception; its own text, when it has one, follows the description.
RunError InternalError(const char* what);

// Thrown by start-up when it cannot freeze the screen; the program says why and exits.
class StartupFailed : public std::runtime_error {
 public:
  explicit StartupFailed(RunError error)
      : std::runtime_error("start-up failed"), error_(std::move(error)) {}
  const RunError& error() const { return error_; }

 private:
  RunError error_;
};

// The "错误" box's text for a failed reaction, and for a start-up that gave up.
std::u16string RunErrorText(const RunError& error);
std::u16string StartupErrorText(const RunError& error);
// Shows the "错误" box for a reaction that could not finish, and returns when it is closed.
void ShowRunError(Dialogs& dialogs, const RunError& error);

}  // namespace capture
