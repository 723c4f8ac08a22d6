// The virtual screen (every monitor) through the display device context, in physical pixels.
#pragma once

#include "platform/platform.h"
#include "shell/dib.h"

namespace capture::win32 {

class Win32Screen : public Screen {
 public:
  // The virtual screen in the system's coordinates: its left and top are negative when a monitor
  // lies left of or above the primary. The capture window covers exactly this.
  static RectI Area();
  // The monitor nearest to a point in the system's coordinates: its area there, and its DPI.
  static Monitor MonitorAt(PointI point);
  // The screen straight into a DIB section of its size, as Grab reads it but without the copy into
  // a picture (the top bytes hold what the display left there). An empty Dib when the screen could
  // not be read; throws std::bad_alloc when the DIB section cannot be made.
  Dib GrabDib() const;
  Picture Grab() override;
  SizeI Size() const override;
  std::vector<Monitor> Monitors() const override;
  // Other programs' windows and controls (this process's are left out).
  std::vector<DesktopElement> Elements() const override;
};

}  // namespace capture::win32
