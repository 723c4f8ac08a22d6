// The virtual screen (every monitor) through the display device context, in physical pixels.
#pragma once

#include "platform/platform.h"

namespace capture::win32 {

class Win32Screen : public Screen {
 public:
  // The virtual screen in the system's coordinates: its left and top are negative when a monitor
  // lies left of or above the primary. The capture window covers exactly this.
  static RectI Area();
  Picture Grab() override;
  SizeI Size() const override;
  std::vector<Monitor> Monitors() const override;
};

}  // namespace capture::win32
