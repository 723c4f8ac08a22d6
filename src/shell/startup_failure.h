// How a start-up that cannot go on says why: a line on stderr and the "错误" box.
#pragma once

#include <string>

#include "run/run_error.h"

namespace capture::win32 {

// The exit status of a run that could not start (the screen not read, a buffer or the window not
// made); distinct from Wine's and the C runtime's own failures.
inline constexpr int kStartupFailedStatus = 3;

// Writes "capture: <reason>" to stderr (UTF-8), shows the "错误" box, and returns
// kStartupFailedStatus.
int ReportStartupFailure(const RunError& error) noexcept;

}  // namespace capture::win32
