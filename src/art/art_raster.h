// A tiny anti-aliased rasteriser for the program's icons: shapes are sampled 8 x 8 times per pixel
// and their colour is laid over the canvas by the share of samples they cover.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "art/art.h"

namespace capture::art {

struct Pt {
  float x = 0;
  float y = 0;
};

// Coordinates are in pixels with the origin at the canvas's top-left corner, so pixel (i, j) spans
// i..i+1 and j..j+1 and a one-pixel line along y = j + 0.5 fills row j exactly. Colours are
// 0xAARRGGBB with straight alpha.
// A canvas may be drawn at a scale: it is then `scale` times as many pixels each way, every
// coordinate and width stays in design pixels, and the shapes are sampled at the finer grid, so
// an icon drawn at 200 % is as crisp as at 100 %.
class Canvas {
 public:
  Canvas(int width, int height, float scale = 1.f);

  void FillRect(float left, float top, float right, float bottom, std::uint32_t argb);
  // Even-odd rule over all contours, so a contour inside another cuts a hole; corners may run
  // either way round.
  void FillPolygon(const std::vector<std::vector<Pt>>& contours, std::uint32_t argb);
  void FillPolygon(std::initializer_list<Pt> corners, std::uint32_t argb) {
    FillPolygon(std::vector<std::vector<Pt>>{corners}, argb);
  }
  // A frame of the given thickness drawn inwards from the rectangle's edges.
  void FrameRect(float left, float top, float right, float bottom, float thickness,
                 std::uint32_t argb);
  void FillEllipse(float cx, float cy, float rx, float ry, std::uint32_t argb);
  // Round caps and joins; overlapping segments are covered once.
  void StrokePolyline(std::initializer_list<Pt> points, float width, std::uint32_t argb);
  void StrokeEllipse(float cx, float cy, float rx, float ry, float width, std::uint32_t argb);
  // Angles in degrees, counter-clockwise on screen from the positive x axis; flat ends.
  void StrokeArc(float cx, float cy, float r, float from_deg, float to_deg, float width,
                 std::uint32_t argb);
  // Swaps left and right.
  void MirrorX();

  Icon Take() { return std::move(icon_); }

 private:
  // Lays the colour over every pixel of the box by the share of its samples that `inside` accepts.
  template <class Inside>
  void Cover(float left, float top, float right, float bottom, std::uint32_t argb, Inside inside);
  // Straight-alpha "over" of a colour whose alpha is already scaled by coverage.
  void Blend(int x, int y, std::uint32_t argb, float coverage);

  Icon icon_;
  float scale_ = 1.f;
};

}  // namespace capture::art
