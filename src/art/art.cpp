#include "art/art.h"

#include <array>

#include "art/art_draw.h"

namespace capture {
namespace {

constexpr std::size_t kArtCount = static_cast<std::size_t>(Art::ComboPressed) + 1;

Icon Draw(Art art) {
  switch (art) {
    case Art::None:
      return {};
    case Art::Handle:
      // The selection's handles are solid squares in the selection frame's blue.
      return {4, 4, std::vector<std::uint32_t>(16, 0xFF007AECu)};
    case Art::FontSize:
      return art::DrawFontSize();
    case Art::ComboNormal:
    case Art::ComboHover:
    case Art::ComboPressed:
      return art::DrawCombo(art);
    default:
      return art::DrawToolbarIcon(art);
  }
}

std::array<Icon, kArtCount> DrawAll() {
  std::array<Icon, kArtCount> all;
  for (std::size_t i = 0; i < kArtCount; ++i) all[i] = Draw(static_cast<Art>(i));
  return all;
}

}  // namespace

const Icon& ArtIcon(Art art) {
  static const std::array<Icon, kArtCount> icons = DrawAll();
  const auto i = static_cast<std::size_t>(art);
  return i < kArtCount ? icons[i] : icons[0];
}

}  // namespace capture
