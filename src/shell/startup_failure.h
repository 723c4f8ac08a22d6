// How a start-up that cannot go on says why: a line on stderr and the "错误" box.
#pragma once

#include <string>

#include "run/run_error.h"

namespace capture::win32 {

// The exit status of a run that could not start (the screen not read, a buffer or the window not
// made); distinct from Wine's and the C runtime's own failures.
inline constexpr int kStartupFailedStatus = 3;

// Write the text to stderr or stdout: in UTF-8 to a pipe or file, as text to a console; when the
// handle is not valid, to the console of the process that started the program, if it has one.
void WriteStderr(const std::wstring& text);
void WriteStdout(const std::wstring& text);

// Writes "capture: <reason>" to stderr (UTF-8), shows the "错误" box, and returns
// kStartupFailedStatus.
int ReportStartupFailure(const RunError& error) noexcept;

}  // namespace capture::win32
