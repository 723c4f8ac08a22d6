// Pins: pictures that stay on top of the desktop in small windows of their own after the capture
// that made them has ended.
#pragma once

#include "platform/types.h"

namespace capture {

class Pinboard {
 public:
  virtual ~Pinboard() = default;
  // Shows the picture as a pin, 1:1, its top-left at `top_left` in window coordinates, above
  // every other window and without taking the keyboard focus. The pin keeps the picture; it
  // outlives the capture. False when its window could not be made (nothing is shown then);
  // throws std::bad_alloc when its pixels cannot be made.
  virtual bool Pin(Picture picture, PointI top_left) = 0;
};

}  // namespace capture
