#include "annotate/step_disc.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/surface.h"

namespace capture {
namespace {

// Luma above this reads as light: yellow, cyan, lime, silver and white get black numbers, red,
// green, blue, grey and the dark colours white ones.
constexpr int kLightLuma = 140;
// The number's em is this share of the disc's diameter, and its width at most this other share.
constexpr float kEmOfDiameter = 0.55f;
constexpr float kWidestOfDiameter = 0.8f;
constexpr float kPointsPerInch = 72;

int Red(Colour c) {
  return c & 0xFF;
}
int Green(Colour c) {
  return (c >> 8) & 0xFF;
}
int Blue(Colour c) {
  return (c >> 16) & 0xFF;
}

std::uint32_t Mix(std::uint32_t under, std::uint32_t over, float share) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto a = static_cast<float>((under >> shift) & 0xFFu);
    const auto b = static_cast<float>((over >> shift) & 0xFFu);
    out |= static_cast<std::uint32_t>(std::lround(a + (b - a) * share)) << shift;
  }
  return out;
}

std::u16string NumberText(int number) {
  std::u16string text;
  for (const char c : std::to_string(number)) text.push_back(static_cast<char16_t>(c));
  return text;
}

}  // namespace

Colour NumberColourOn(Colour disc) {
  const int luma = (299 * Red(disc) + 587 * Green(disc) + 114 * Blue(disc)) / 1000;
  return luma > kLightLuma ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
}

void PaintDisc(Picture& picture, float x, float y, float diameter, Colour colour) {
  const float radius = diameter / 2;
  const std::uint32_t ink = PixelOf(colour);
  const int left = std::max(0, static_cast<int>(std::floor(x - radius)));
  const int top = std::max(0, static_cast<int>(std::floor(y - radius)));
  const int right = std::min(picture.width, static_cast<int>(std::ceil(x + radius)));
  const int bottom = std::min(picture.height, static_cast<int>(std::ceil(y + radius)));
  for (int py = top; py < bottom; ++py) {
    for (int px = left; px < right; ++px) {
      const float dx = static_cast<float>(px) + 0.5f - x, dy = static_cast<float>(py) + 0.5f - y;
      // The share of the pixel inside the edge, taken across the pixel's width at its middle.
      const float share = std::clamp(radius - std::sqrt(dx * dx + dy * dy) + 0.5f, 0.f, 1.f);
      if (share > 0) picture.at(px, py) = Mix(picture.at(px, py), ink, share);
    }
  }
}

StepPlace PlaceStep(const RectI& selection, PointF at, float diameter) {
  // Whole pixels across, and the middle on a pixel's middle (odd) or corner (even): the disc's
  // box is then exactly as wide as the disc.
  const int pixels = std::min(
      {Round(diameter), selection.right - selection.left, selection.bottom - selection.top});
  if (pixels <= 0) return {};
  const auto across = static_cast<float>(pixels);
  const float half = across / 2, odd = static_cast<float>(pixels % 2) / 2;
  const auto keep_inside = [half, odd](float pointer, int low, int high) {
    return std::clamp(static_cast<float>(Round(pointer)) + odd, static_cast<float>(low) + half,
                      static_cast<float>(high) - half);
  };
  return {keep_inside(at.x, selection.left, selection.right),
          keep_inside(at.y, selection.top, selection.bottom), across};
}

RectI StepBox(const StepPlace& place) {
  const float half = place.across / 2;
  return {static_cast<int>(std::floor(place.x - half)),
          static_cast<int>(std::floor(place.y - half)), static_cast<int>(std::ceil(place.x + half)),
          static_cast<int>(std::ceil(place.y + half))};
}

void DrawStep(Surface& surface, const RectI& selection, PointF at, int number, Colour colour,
              float diameter, int dpi) {
  const StepPlace place = PlaceStep(selection, at, diameter);
  if (place.across <= 0) return;
  const float x = place.x, y = place.y, across = place.across;
  const RectI box = StepBox(place);
  Picture disc = surface.Copy(box);  // what is under it, without any preview
  PaintDisc(disc, x - static_cast<float>(box.left), y - static_cast<float>(box.top), across,
            colour);
  surface.Paste(disc, box.left, box.top);

  const std::u16string text = NumberText(number);
  float points = across * kEmOfDiameter * kPointsPerInch / static_cast<float>(dpi);
  surface.SetFontSize(points, dpi);
  const float width = surface.TextWidth(text);
  if (width > across * kWidestOfDiameter) {
    points *= across * kWidestOfDiameter / width;  // many digits: a smaller font
    surface.SetFontSize(points, dpi);
  }
  surface.TextCentredOn(x, y, text, NumberColourOn(colour));
}

}  // namespace capture
