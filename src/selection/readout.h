// The two labels on the selection: its size, and the colour of the pixel under the pointer.
#pragma once

#include <cstdint>
#include <string>

namespace capture {

class CaptureForm;
class Surface;

// "WxH" with each number in general decimal form: "320x240", "12.5x3".
std::u16string SizeText(float width, float height);
// Splits a COLORREF into red, green and blue with signed div/mod (so -1 gives -1, 0, 0).
void SplitColour(std::int32_t colour, std::int32_t& red, std::int32_t& green, std::int32_t& blue);
// "RGB(r,g,b)".
std::u16string ColourText(std::int32_t red, std::int32_t green, std::int32_t blue);
// Reads the pixel at the pointer from the surface and puts its colour text into ColourLabel.
void ColourReadout(CaptureForm& form, const Surface& surface, float x, float y);
// Moves SizeLabel to the selection's top-left + 2 and ColourLabel 2 pixels below it, both onto the
// nearest monitor when that corner lies where no monitor shows.
void PlaceLabels(CaptureForm& form);

}  // namespace capture
