// Text for the user who started the program from a command line.
#pragma once

#include <string>

namespace capture::win32 {

// Writes the text to stdout: to the pipe or file it is redirected to (UTF-8), or else to the
// console of the process that started the program (a GUI program gets none of its own). Does
// nothing when there is neither.
void WriteStdout(const std::wstring& text);

// The same for stderr.
void WriteStderr(const std::wstring& text);

}  // namespace capture::win32
