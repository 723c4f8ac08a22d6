// The system clipboard with bitmaps in CF_BITMAP, owned by the desktop window as the program's
// clipboard copies always have been.
#pragma once

#include "platform/platform.h"

namespace capture::win32 {

class Win32Clipboard : public Clipboard {
 public:
  bool PutBitmap(const Picture& picture) override;
  std::optional<Picture> GetBitmap() override;
  bool Empty() override;
};

}  // namespace capture::win32
