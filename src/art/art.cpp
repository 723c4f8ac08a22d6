#include "art/art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "art/art_draw.h"

namespace capture {
namespace {

constexpr std::size_t kArtCount = static_cast<std::size_t>(Art::Last) + 1;
using Pictures = std::array<Icon, kArtCount>;

Icon Draw(Art art, float scale) {
  switch (art) {
    case Art::None:
      return {};
    case Art::Handle: {
      // The selection's handles are solid squares in the selection frame's blue, 4 x 4 at 96 DPI.
      const int side = std::max(1, static_cast<int>(std::lround(4 * scale)));
      return {side, side,
              std::vector<std::uint32_t>(
                  static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 0xFF007AECu)};
    }
    case Art::FontSize:
      return art::DrawFontSize(scale);
    case Art::ComboNormal:
    case Art::ComboHover:
    case Art::ComboPressed:
      return art::DrawCombo(art, scale);
    default:
      if (art >= Art::ChoicePen_0) return art::DrawChoice(art, scale);
      return art::DrawToolbarIcon(art, scale);
  }
}

Pictures DrawAll(int dpi) {
  const ChromeScale scale{dpi};
  Pictures all;
  for (std::size_t i = 0; i < kArtCount; ++i) all[i] = Draw(static_cast<Art>(i), scale(1));
  return all;
}

}  // namespace

const Icon& ArtIcon(Art art, int dpi) {
  // One set per DPI met in a run: one or two in practice.
  static std::map<int, Pictures> sets;
  auto it = sets.find(dpi);
  if (it == sets.end()) it = sets.emplace(dpi, DrawAll(dpi)).first;
  const auto i = static_cast<std::size_t>(art);
  return i < kArtCount ? it->second[i] : it->second[0];
}

}  // namespace capture
