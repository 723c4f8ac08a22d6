// Failures that are not the user's doing: a reaction that could not finish (out of memory at a
// large screen, a bad buffer) and a start-up that cannot freeze the screen. They are reported as
// the save's errors are: a number and a description in the "错误" box.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

#include "output/save_error.h"

namespace capture {

using RunError = SaveError;

// Error numbers beside the save's, with the runtime's usual meanings.
namespace run_error {
inline constexpr int kInternal = 51;          // an exception nobody foresaw
inline constexpr int kScreenUnreadable = 57;  // the screen could not be read (device I/O)
inline constexpr int kNoPinWindow = 429;      // a pin's window could not be made (no object)
}  // namespace run_error

// An unforeseen exception; its own text, when it has one, follows the description.
RunError InternalError(const char* what);

// What an exception that stopped a reaction or a start-up stands for: out of memory, or an
// unforeseen exception with its text. Every place that must not let an exception through turns it
// into a failure with this: `catch (...) { Report(FailureOf(std::current_exception())); }`.
RunError FailureOf(const std::exception_ptr& exception);

// Thrown by start-up when it cannot freeze the screen; the program says why and exits.
class StartupFailed : public std::runtime_error {
 public:
  explicit StartupFailed(RunError error)
      : std::runtime_error("start-up failed"), error_(std::move(error)) {}
  const RunError& error() const { return error_; }

 private:
  RunError error_;
};

// The "错误" box's text for a start-up that gave up.
std::u16string StartupErrorText(const RunError& error);
// Shows the "错误" box for a reaction that could not finish, and returns when it is closed.
void ShowRunError(Dialogs& dialogs, const RunError& error);

}  // namespace capture
