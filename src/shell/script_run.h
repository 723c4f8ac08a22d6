// A run for a script: grab a part of the screen without a window and write it to a file, standard
// output or the clipboard. Nothing is shown; what fails is said on stderr.
#pragma once

#include "app/command_line.h"

namespace capture::win32 {

// The exit status: 0, kUsageStatus (the area is empty or names no monitor),
// kScreenUnreadableStatus, kNotWrittenStatus, or with --scroll kStoppedEarlyStatus.
int RunScript(const Command& command);

}  // namespace capture::win32
