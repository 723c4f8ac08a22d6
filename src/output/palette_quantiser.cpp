#include "output/palette_quantiser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "output/nearest_colour.h"

namespace capture {
namespace {

constexpr int kCellBits = 6;  // per channel: cells 4 values wide, so a cell's pixels are near-equal
constexpr std::size_t kCellCount = std::size_t{1} << (3 * kCellBits);
constexpr int kRefinementRounds = 2;
constexpr std::size_t kExactColourLimit = 32768;

std::uint32_t CellOf(std::uint32_t pixel) {
  constexpr int kShift = 8 - kCellBits;
  const std::uint32_t r = (pixel >> 16 & 0xFFu) >> kShift;
  const std::uint32_t g = (pixel >> 8 & 0xFFu) >> kShift;
  const std::uint32_t b = (pixel & 0xFFu) >> kShift;
  return (r << (2 * kCellBits)) | (g << kCellBits) | b;
}

// The distinct colours of a picture and how often each occurs, up to a limit.
class ColourTable {
 public:
  struct Entry {
    std::uint32_t colour;
    std::uint32_t count;
  };

  explicit ColourTable(std::size_t limit) : limit_(limit) {
    std::size_t slots = 1;
    while (slots < 2 * limit) slots *= 2;
    slots_.assign(slots, kEmpty);
    mask_ = slots - 1;
    entries_.reserve(limit);
  }

  // Counts `pixels` more pixels of the colour; false when the colour is new and the table is
  // full.
  bool Add(std::uint32_t colour, std::uint32_t pixels) {
    std::uint32_t& slot = slots_[Find(colour)];
    if (slot == kEmpty) {
      if (entries_.size() == limit_) return false;
      slot = static_cast<std::uint32_t>(entries_.size());
      entries_.push_back({colour, 0});
    }
    entries_[slot].count += pixels;
    return true;
  }

  // The entry of a colour that was added.
  std::size_t EntryOf(std::uint32_t colour) const { return slots_[Find(colour)]; }
  // In the order the colours were first added.
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

  std::size_t Find(std::uint32_t colour) const {
    std::size_t slot = (colour * 2654435761u >> 8) & mask_;
    while (slots_[slot] != kEmpty && entries_[slots_[slot]].colour != colour) {
      slot = (slot + 1) & mask_;
    }
    return slot;
  }

  std::size_t limit_;
  std::size_t mask_ = 0;
  std::vector<std::uint32_t> slots_;  // entry index, or kEmpty
  std::vector<Entry> entries_;
};

// Counts the picture's colours, a run of equal pixels at a time; false when it has more than
// the table holds.
bool CountColours(const Picture& picture, ColourTable& table) {
  const std::vector<std::uint32_t>& pixels = picture.pixels;
  for (std::size_t i = 0; i < pixels.size();) {
    const std::uint32_t colour = pixels[i] & 0xFFFFFFu;
    std::size_t end = i + 1;
    while (end < pixels.size() && (pixels[end] & 0xFFFFFFu) == colour) ++end;
    if (!table.Add(colour, static_cast<std::uint32_t>(end - i))) return false;
    i = end;
  }
  return true;
}

// A group of pixels of (nearly) one colour: an exact colour, or an occupied histogram cell.
// `key` is the colour's table entry or the cell's number.
struct Cell {
  std::uint32_t key;
  double weight;
  std::array<double, 3> colour;  // red, green, blue
};

// A box of cells [begin, end) with the sums that give its mean and its squared error.
struct Box {
  std::size_t begin = 0, end = 0;
  double weight = 0;
  std::array<double, 3> sum{};
  std::array<double, 3> squares{};  // per channel, sum of weight * value^2
  double error = 0;                 // sum of weight * distance^2 to the box's mean
};

Box MakeBox(const std::vector<Cell>& cells, std::size_t begin, std::size_t end) {
  Box box{begin, end};
  for (std::size_t i = begin; i < end; ++i) {
    const Cell& c = cells[i];
    box.weight += c.weight;
    for (std::size_t a = 0; a < 3; ++a) {
      box.sum[a] += c.weight * c.colour[a];
      box.squares[a] += c.weight * c.colour[a] * c.colour[a];
    }
  }
  for (std::size_t a = 0; a < 3; ++a)
    box.error += box.squares[a] - box.sum[a] * box.sum[a] / box.weight;
  box.error = std::max(0.0, box.error);
  return box;
}

// Splits along the channel of largest variance where the two halves' summed squared error is
// least.
std::pair<Box, Box> Split(std::vector<Cell>& cells, const Box& box) {
  std::size_t axis = 0;
  double widest = -1;
  for (std::size_t a = 0; a < 3; ++a) {
    const double variance = box.squares[a] - box.sum[a] * box.sum[a] / box.weight;
    if (variance > widest) widest = variance, axis = a;
  }
  const auto first = cells.begin() + static_cast<std::ptrdiff_t>(box.begin);
  const auto last = cells.begin() + static_cast<std::ptrdiff_t>(box.end);
  std::sort(first, last,
            [axis](const Cell& l, const Cell& r) { return l.colour[axis] < r.colour[axis]; });

  double total_squares = 0;
  for (std::size_t a = 0; a < 3; ++a) total_squares += box.squares[a];
  double weight = 0, squares = 0;
  std::array<double, 3> sum{};
  double best = std::numeric_limits<double>::infinity();
  std::size_t best_at = box.begin + 1;
  for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
    const Cell& c = cells[i];
    weight += c.weight;
    for (std::size_t a = 0; a < 3; ++a) {
      sum[a] += c.weight * c.colour[a];
      squares += c.weight * c.colour[a] * c.colour[a];
    }
    double left = squares, right = total_squares - squares;
    for (std::size_t a = 0; a < 3; ++a) {
      const double other = box.sum[a] - sum[a];
      left -= sum[a] * sum[a] / weight;
      right -= other * other / (box.weight - weight);
    }
    if (left + right < best) best = left + right, best_at = i + 1;
  }
  return {MakeBox(cells, box.begin, best_at), MakeBox(cells, best_at, box.end)};
}

std::uint32_t PixelOfMean(const std::array<double, 3>& colour) {
  const auto channel = [](double v) {
    return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
  };
  return channel(colour[0]) << 16 | channel(colour[1]) << 8 | channel(colour[2]);
}

std::vector<Cell> Histogram(const Picture& picture) {
  std::vector<std::uint32_t> counts(kCellCount, 0);
  std::vector<std::array<std::uint64_t, 3>> sums(kCellCount, {0, 0, 0});
  for (const std::uint32_t pixel : picture.pixels) {
    const std::uint32_t cell = CellOf(pixel);
    ++counts[cell];
    sums[cell][0] += pixel >> 16 & 0xFFu;
    sums[cell][1] += pixel >> 8 & 0xFFu;
    sums[cell][2] += pixel & 0xFFu;
  }
  std::vector<Cell> cells;
  for (std::uint32_t key = 0; key < kCellCount; ++key) {
    if (counts[key] == 0) continue;
    const double n = counts[key];
    cells.push_back({key,
                     n,
                     {static_cast<double>(sums[key][0]) / n, static_cast<double>(sums[key][1]) / n,
                      static_cast<double>(sums[key][2]) / n}});
  }
  return cells;
}

// One cell per exact colour, keyed by its entry in the table.
std::vector<Cell> CellsOf(const ColourTable& table) {
  std::vector<Cell> cells;
  cells.reserve(table.entries().size());
  for (std::size_t i = 0; i < table.entries().size(); ++i) {
    const auto [colour, count] = table.entries()[i];
    cells.push_back(
        {static_cast<std::uint32_t>(i),
         static_cast<double>(count),
         {static_cast<double>(colour >> 16 & 0xFFu), static_cast<double>(colour >> 8 & 0xFFu),
          static_cast<double>(colour & 0xFFu)}});
  }
  return cells;
}

std::vector<std::uint32_t> MedianCut(std::vector<Cell>& cells, int max_colours) {
  std::vector<Box> boxes{MakeBox(cells, 0, cells.size())};
  while (boxes.size() < static_cast<std::size_t>(max_colours)) {
    const auto worst = std::max_element(
        boxes.begin(), boxes.end(), [](const Box& l, const Box& r) { return l.error < r.error; });
    if (worst->error <= 0 || worst->end - worst->begin < 2) break;
    auto [left, right] = Split(cells, *worst);
    *worst = left;
    boxes.push_back(right);
  }
  std::vector<std::uint32_t> palette;
  palette.reserve(boxes.size());
  for (const Box& box : boxes) {
    palette.push_back(
        PixelOfMean({box.sum[0] / box.weight, box.sum[1] / box.weight, box.sum[2] / box.weight}));
  }
  return palette;
}

// Moves every palette colour to the mean of the cells nearest to it (a k-means round).
void Refine(const std::vector<Cell>& cells, std::vector<std::uint32_t>& palette) {
  const NearestColour nearest(palette);
  std::vector<double> weight(palette.size(), 0);
  std::vector<std::array<double, 3>> sum(palette.size(), {0, 0, 0});
  for (const Cell& c : cells) {
    const std::size_t i = nearest.Find(c.colour[0], c.colour[1], c.colour[2]);
    weight[i] += c.weight;
    for (std::size_t a = 0; a < 3; ++a) sum[i][a] += c.weight * c.colour[a];
  }
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (weight[i] > 0) {
      palette[i] =
          PixelOfMean({sum[i][0] / weight[i], sum[i][1] / weight[i], sum[i][2] / weight[i]});
    }
  }
}

}  // namespace

IndexedPicture QuantisePicture(const Picture& picture, int max_colours) {
  max_colours = std::clamp(max_colours, 1, 256);
  IndexedPicture out{
      picture.width, picture.height, std::vector<std::uint8_t>(picture.pixels.size()), {}};

  // Up to this many colours the palette is built from the exact colours; beyond, from cells of
  // near-equal colours, whose rounding (under 2 per channel) is far below the palette's own.
  ColourTable table(kExactColourLimit);
  const bool counted = CountColours(picture, table);
  if (counted && table.entries().size() <= static_cast<std::size_t>(max_colours)) {
    for (const auto& entry : table.entries()) out.palette.push_back(entry.colour);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
      out.indices[i] = static_cast<std::uint8_t>(table.EntryOf(picture.pixels[i] & 0xFFFFFFu));
    }
    return out;
  }

  std::vector<Cell> cells = counted ? CellsOf(table) : Histogram(picture);
  out.palette = MedianCut(cells, max_colours);
  for (int round = 0; round < kRefinementRounds; ++round) Refine(cells, out.palette);

  // Cells are reordered by the median cut; their keys say where each belongs.
  const NearestColour nearest(out.palette);
  std::vector<std::uint8_t> index_of(counted ? table.entries().size() : kCellCount, 0);
  for (const Cell& c : cells) {
    index_of[c.key] =
        static_cast<std::uint8_t>(nearest.Find(c.colour[0], c.colour[1], c.colour[2]));
  }
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const std::uint32_t colour = picture.pixels[i] & 0xFFFFFFu;
    out.indices[i] = index_of[counted ? table.EntryOf(colour) : CellOf(colour)];
  }
  return out;
}

}  // namespace capture
