// Nearest palette colour by Euclidean distance in RGB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace capture {

class NearestColour {
 public:
  // `palette` holds 0x00RRGGBB colours; it must not be empty.
  explicit NearestColour(const std::vector<std::uint32_t>& palette);
  // The index in the palette of the colour nearest to (red, green, blue); of equally near
  // colours, the earliest in the palette.
  std::size_t Find(double red, double green, double blue) const;

 private:
  struct Entry {
    double green, red, blue;
    std::size_t index;
  };
  std::vector<Entry> by_green_;  // sorted by green so the search can stop early
};

}  // namespace capture
