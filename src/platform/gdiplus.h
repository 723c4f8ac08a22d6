// The GDI+ flat API as the image file encoder uses it, and the platform's BMP writer.
// (Filled in with the encoder.)
#pragma once

namespace capture {

class Gdiplus {
 public:
  virtual ~Gdiplus() = default;
};

}  // namespace capture
