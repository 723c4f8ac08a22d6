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

// The box of the disc DrawStep draws for a pointer at `at` (empty when none fits), and its
// centre.
RectI StepBox(const RectI& selection, PointF at, float diameter, PointF* centre = nullptr);

// Draws step `number` into the surface (the retained image, or the window layer while a preview is
// drawn): a disc `diameter` picture pixels across, centred on the pointer's pixel or as near it as
// the whole disc fits inside the selection (a selection smaller than the disc gets a disc as large
// as fits), its number in a font for a screen of `dpi`.
void DrawStep(Surface& surface, const RectI& selection, PointF at, int number, Colour colour,
              float diameter, int dpi);

}  // namespace capture
