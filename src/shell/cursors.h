// The system's pointer shapes at the size for a DPI: a per-monitor aware window gets them at 96-DPI
// size from LoadCursor, too small on a 200 % monitor.
#pragma once

#include <windows.h>

#include <map>
#include <utility>

#include "platform/types.h"
#include "shell/handles.h"

namespace capture::win32 {

class Cursors {
 public:
  // The shape sized for the DPI, loaded once and kept; the shared 96-DPI one when it cannot be
  // loaded at that size. Not owned by the caller.
  HCURSOR For(Pointer pointer, int dpi);

 private:
  std::map<std::pair<Pointer, int>, OwnedCursor> loaded_;
};

}  // namespace capture::win32
