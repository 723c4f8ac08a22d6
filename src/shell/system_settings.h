// The system settings the resident program reads and writes: starting with Windows, and who owns
// the Print Screen key.
#pragma once

#include <string>

namespace capture::win32 {

// Whether the program is set to start when the user signs in (its value under HKCU's Run key).
bool StartsWithWindows();
// Adds that value, holding `command`, or removes it; false when the registry refused.
bool SetStartsWithWindows(bool on, const std::wstring& command);
// Whether the system gives the Print Screen key to its own screen snipping.
bool SnippingOwnsPrintScreen();
// The full path of this program's executable; empty when it cannot be read.
std::wstring ProgramPath();

}  // namespace capture::win32
