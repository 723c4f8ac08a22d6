#include "output/nearest_colour.h"

#include <algorithm>
#include <limits>

namespace capture {

NearestColour::NearestColour(const std::vector<std::uint32_t>& palette) {
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::uint32_t p = palette[i];
    by_green_.push_back({static_cast<double>(p >> 8 & 0xFFu), static_cast<double>(p >> 16 & 0xFFu),
                         static_cast<double>(p & 0xFFu), i});
  }
  std::stable_sort(by_green_.begin(), by_green_.end(),
                   [](const Entry& l, const Entry& r) { return l.green < r.green; });
}

std::size_t NearestColour::Find(double red, double green, double blue) const {
  // Walk outwards from the entries of nearest green; once the green difference alone exceeds
  // the best distance found, nothing further out in that direction can be nearer.
  const auto start = std::lower_bound(by_green_.begin(), by_green_.end(), green,
                                      [](const Entry& e, double g) { return e.green < g; });
  double best = std::numeric_limits<double>::infinity();
  std::size_t best_index = by_green_.front().index;
  const auto consider = [&](const Entry& e) {
    const double dr = e.red - red, dg = e.green - green, db = e.blue - blue;
    const double d = dr * dr + dg * dg + db * db;
    if (d < best || (d == best && e.index < best_index)) best = d, best_index = e.index;
  };
  for (auto it = start; it != by_green_.end(); ++it) {
    const double dg = it->green - green;
    if (dg * dg > best) break;
    consider(*it);
  }
  for (auto it = start; it != by_green_.begin();) {
    --it;
    const double dg = it->green - green;
    if (dg * dg > best) break;
    consider(*it);
  }
  return best_index;
}

}  // namespace capture
