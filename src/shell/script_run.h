// A run for a script on Windows: the process's streams, the desktop and the scroll handed to the
// run in app/script_run.h, which decides what is grabbed and where it goes.
#pragma once

#include "app/command_line.h"

namespace capture::win32 {

// Waits the command's delay, then runs it; the exit status is the run's (kScreenUnreadableStatus
// also when memory runs out).
int RunScript(const Command& command);

}  // namespace capture::win32
