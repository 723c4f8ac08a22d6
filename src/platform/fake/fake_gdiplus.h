// A recording stand-in for GDI+ and the BMP writer. (Filled in with the encoder.)
#pragma once

#include "platform/gdiplus.h"

namespace capture::fake {

class FakeGdiplus : public Gdiplus {};

}  // namespace capture::fake
