#include "join/frame_rows.h"

namespace capture::join {

namespace {

constexpr std::uint64_t kPrime = 0x100000001b3ull;
constexpr std::uint32_t kShakyValue = 0xA5000000u;  // no screen pixel has a non-zero top byte

std::size_t ToSize(int n) {
  return static_cast<std::size_t>(n);
}

}  // namespace

namespace {

// A row's hash over four independent lanes, so that the multiplications do not wait on one
// another, and whether it is one colour.
struct RowHash {
  std::uint64_t lane[4] = {0xcbf29ce484222325ull, 1, 2, 3};
  bool plain = true;
  bool any_shaky = false;

  std::uint64_t Value() const {
    return ((lane[0] * kPrime ^ lane[1]) * kPrime ^ lane[2]) * kPrime ^ lane[3];
  }
};

// A row without unsteady pixels: two pixels a multiplication, eight pixels a step.
RowHash HashSteadyRow(const std::uint32_t* row, int columns) {
  RowHash h;
  std::uint32_t differs = 0;
  int x = 0;
  for (; x + 8 <= columns; x += 8) {
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t p0 = row[x + 2 * i], p1 = row[x + 2 * i + 1];
      differs |= (p0 ^ row[0]) | (p1 ^ row[0]);
      h.lane[i] = (h.lane[i] ^ (std::uint64_t{p1} << 32 | p0)) * kPrime;
    }
  }
  for (; x < columns; ++x) {
    differs |= row[x] ^ row[0];
    h.lane[x & 3] = (h.lane[x & 3] ^ row[x]) * kPrime;
  }
  h.plain = differs == 0;
  return h;
}

// A row whose unsteady pixels hash as one fixed value: the same hash as a steady row of those
// pixels, so that rows with and without a mask compare. `scratch` is room for the row.
RowHash HashShakyRow(const std::uint32_t* row, const std::uint8_t* shaky, int columns,
                     std::vector<std::uint32_t>& scratch) {
  scratch.assign(row, row + columns);
  bool any_shaky = false;
  for (std::size_t x = 0; x < scratch.size(); ++x) {
    if (shaky[x] != 0) {
      scratch[x] = kShakyValue;
      any_shaky = true;
    }
  }
  RowHash h = HashSteadyRow(scratch.data(), columns);
  h.any_shaky = any_shaky;
  return h;
}

}  // namespace

RowFacts ReadRows(PixelView frame, Unsteady unsteady, int columns) {
  RowFacts facts;
  const auto rows = ToSize(frame.height);
  facts.hash.resize(rows);
  facts.plain.resize(rows);
  facts.informative.resize(rows);
  facts.unsteady.resize(rows);
  std::vector<std::uint32_t> scratch;
  for (int y = 0; y < frame.height; ++y) {
    const auto i = ToSize(y);
    const RowHash h = unsteady.empty()
                          ? HashSteadyRow(frame.Row(y), columns)
                          : HashShakyRow(frame.Row(y), unsteady.data() + i * ToSize(frame.width),
                                         columns, scratch);
    const std::uint64_t hash = h.Value();
    facts.hash[i] = hash;
    facts.plain[i] = h.plain ? 1 : 0;
    facts.informative[i] = (!h.plain || (y > 0 && facts.hash[i - 1] != hash)) ? 1 : 0;
    facts.unsteady[i] = h.any_shaky ? 1 : 0;
  }
  return facts;
}

bool SameRow(const FrameRows& a, int a_row, const FrameRows& b, int b_row, int columns) {
  if (a.facts->hash[ToSize(a_row)] == b.facts->hash[ToSize(b_row)]) return true;
  if (a.facts->unsteady[ToSize(a_row)] == 0 && b.facts->unsteady[ToSize(b_row)] == 0) return false;
  const std::uint32_t* pa = a.pixels.Row(a_row);
  const std::uint32_t* pb = b.pixels.Row(b_row);
  for (int x = 0; x < columns; ++x) {
    if (pa[x] != pb[x] && !a.Shaky(x, a_row) && !b.Shaky(x, b_row)) return false;
  }
  return true;
}

}  // namespace capture::join
