// How the process sees the monitors' DPI.
#pragma once

namespace capture::win32 {

// Makes the process per-monitor DPI aware where the system allows it (the manifest asks too);
// failure is not an error, the screen grab works in physical pixels either way.
void EnablePerMonitorDpiAwareness();

}  // namespace capture::win32
