// The pixels of a pin's window: the picture, zoomed, inside a one-pixel outline and a soft shadow.
// Pixels are premultiplied 0xAARRGGBB, as a layered window takes them.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace capture::pin {

// Pixels owned elsewhere, to draw into.
using Target = PixelTarget;

inline constexpr std::uint32_t kOutline = 0xFF007AECu;  // the selection's blue
// The shadow's darkest, next to the outline: black at this alpha.
inline constexpr int kShadowAlpha = 0x60;

// Draws the outline and the shadow in the `margin` pixels along the target's edges (the outline
// is the innermost ring of them); the inside is left as it was.
void DrawFrame(const Target& window, int margin);
// Draws the picture over the whole target, opaque: each target pixel is the nearest picture pixel
// when the target is as large or larger, the average of the picture pixels it covers when it is
// smaller.
void DrawPicture(PixelView picture, const Target& target);

}  // namespace capture::pin
