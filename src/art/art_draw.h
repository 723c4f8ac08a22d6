// The drawings behind ArtIcon, one per family of pictures.
#pragma once

#include <cstdint>

#include "art/art.h"

namespace capture::art {

// Sizes are design pixels; each picture is drawn at `scale` (2 makes a 16 x 16 icon 32 x 32).

// One of the 16 x 16 toolbar buttons (ToolRect to Pin, ToolPen to ScrollCapture).
Icon DrawToolbarIcon(Art art, float scale);
// A bold capital A filling a 16 x 16 cell, in one colour.
Icon LetterA(std::uint32_t argb, float scale);
// The 16 x 16 font-size symbol: a blue letter A.
Icon DrawFontSize(float scale);
// One of the 16 x 16 choices of the style panel (ChoicePen_0 to the last disc).
Icon DrawChoice(Art choice, float scale);
// One of the 50 x 22 looks of the font-size combo look-alike (ComboNormal to ComboPressed).
Icon DrawCombo(Art look, float scale);

}  // namespace capture::art
