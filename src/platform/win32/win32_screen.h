// The screen through the display device context, in physical pixels.
#pragma once

#include "platform/platform.h"

namespace capture::win32 {

class Win32Screen : public Screen {
 public:
  Picture Grab() override;
  SizeI Size() const override;
  std::vector<Monitor> Monitors() const override;
};

}  // namespace capture::win32
