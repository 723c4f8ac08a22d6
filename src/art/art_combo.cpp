// The font-size symbol and the three looks of the combo box look-alike beside it. The looks are
// opaque: the window shows them as the whole face of the look-alike.
#include <cmath>
#include <cstdint>

#include "art/art_draw.h"
#include "art/art_raster.h"

namespace capture::art {
namespace {

constexpr int kWidth = 50, kHeight = 22;
constexpr float kButtonLeft = 33;  // the drop-down button fills the box from here to its border

constexpr std::uint32_t kFieldBorder = 0xFFABADB3;
constexpr std::uint32_t kField = 0xFFFFFFFF;
constexpr std::uint32_t kArrow = 0xFF3C3C3C;

struct ButtonLook {
  std::uint32_t border;  // also the outer border of the box while the button is lit
  std::uint32_t top;     // fill, top to bottom
  std::uint32_t bottom;
};
constexpr ButtonLook kHover{0xFF7EB4EA, 0xFFEAF4FD, 0xFFC9E3F8};
constexpr ButtonLook kPressed{0xFF3C7FC8, 0xFFB0D4F6, 0xFF86B9EC};

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, float t) {
  std::uint32_t out = 0xFF000000u;
  for (int shift : {16, 8, 0}) {
    const float ca = static_cast<float>((a >> shift) & 0xFFu);
    const float cb = static_cast<float>((b >> shift) & 0xFFu);
    // Halves round up, in single precision, as the icons were first drawn.
    out |= static_cast<std::uint32_t>(std::floor(ca + (cb - ca) * t + 0.5f)) << shift;
  }
  return out;
}

}  // namespace

Icon DrawFontSize(float scale) {
  return LetterA(0xFF1A66D0, scale);
}

Icon DrawCombo(Art look, float scale) {
  const ButtonLook* button = look == Art::ComboHover     ? &kHover
                             : look == Art::ComboPressed ? &kPressed
                                                         : nullptr;
  Canvas c(kWidth, kHeight, scale);
  c.FillRect(0, 0, kWidth, kHeight, button ? button->border : kFieldBorder);
  c.FillRect(1, 1, kWidth - 1, kHeight - 1, kField);
  if (button) {
    c.FillRect(kButtonLeft - 1, 1, kButtonLeft, kHeight - 1, button->border);
    for (int y = 1; y < kHeight - 1; ++y) {
      const float t = static_cast<float>(y - 1) / (kHeight - 3);
      c.FillRect(kButtonLeft, static_cast<float>(y), kWidth - 1, static_cast<float>(y + 1),
                 Mix(button->top, button->bottom, t));
    }
  }
  // A pixel-exact down-arrow, 7 pixels wide, centred on a pixel column of the button.
  const int cx = static_cast<int>(kButtonLeft + kWidth - 1) / 2, top = kHeight / 2 - 2;
  for (int row = 0; row < 4; ++row) {
    c.FillRect(static_cast<float>(cx - 3 + row), static_cast<float>(top + row),
               static_cast<float>(cx + 4 - row), static_cast<float>(top + row + 1), kArrow);
  }
  return c.Take();
}

}  // namespace capture::art
