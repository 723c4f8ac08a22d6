// 长截图: the live screen under a selection, scrolled and joined into one tall picture.
#pragma once

#include <functional>
#include <string>

#include "platform/types.h"

namespace capture {

class Scroller {
 public:
  virtual ~Scroller() = default;
  // Takes the frozen screen away and scrolls the window under `area` (window coordinates),
  // joining its frames, until the content stops moving, the user finishes (完成, Enter), a seam
  // cannot be joined and the user has read why, or the length limit; then hands the joined
  // picture to `deliver`, shows the text it returns for a moment (none when it is empty) and
  // returns true. False when the user cancelled (取消, Escape) or the screen could not be read at
  // the start: nothing is delivered. Either way the frozen screen shows again as it was, unless
  // `deliver` closed the window.
  virtual bool Scroll(const RectI& area, const std::function<std::u16string(Picture)>& deliver) = 0;
};

}  // namespace capture
