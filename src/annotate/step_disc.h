// The numbered step: a filled disc in the current colour with its number in the middle.
#pragma once

#include "platform/types.h"

namespace capture {

class Surface;

// The colour a number is written in on a disc of `disc`: white, or black on a light colour.
Colour NumberColourOn(Colour disc);

// Paints a filled disc into the picture, centred on (x, y) in the picture's pixels (a pixel's
// middle is at its coordinates plus one half); its edge is smoothed: a pixel the edge crosses takes
// the colour in the share the disc covers of it.
void PaintDisc(Picture& picture, float x, float y, float diameter, Colour colour);

// Where a step's disc stands and how many pixels across it is (0: no room for one): centred on
// the pointer's pixel or as near it as the whole disc fits inside the selection (a selection
// smaller than the disc gets a disc as large as fits).
struct StepPlace {
  float x = 0, y = 0, across = 0;
};
StepPlace PlaceStep(const RectI& selection, PointF at, float diameter);
// The pixels the disc of a step so placed covers.
RectI StepBox(const StepPlace& place);

// Draws step `number` into the surface (the retained image, or the window layer while a preview is
// drawn): a disc `diameter` picture pixels across, centred on the pointer's pixel or as near it as
// the whole disc fits inside the selection (a selection smaller than the disc gets a disc as large
// as fits), its number in a font for a screen of `dpi`.
void DrawStep(Surface& surface, const RectI& selection, PointF at, int number, Colour colour,
              float diameter, int dpi);

}  // namespace capture
