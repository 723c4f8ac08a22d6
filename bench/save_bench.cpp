// Cost of saving a full-HD selection natively: the GIF palette (the one heavy step that is ours)
// and the BMP writer. The GDI+ encoders are timed under Wine by the Windows adapter tests.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "output/bmp_writer.h"
#include "output/palette_quantiser.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// Smooth shading with fine grain, like a photograph or a wallpaper.
Picture Photograph() {
  Picture p(kWidth, kHeight);
  const Picture grain = fake::NoisePicture(kWidth, kHeight, 7);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double u = x / double(kWidth), v = y / double(kHeight);
      const int n = static_cast<int>(grain.at(x, y) & 3) - 1;
      const auto channel = [n](double value) {
        return static_cast<std::uint32_t>(std::clamp(static_cast<int>(value) + n, 0, 255));
      };
      p.at(x, y) = channel(128 + 110 * std::sin(6 * u + 2 * v)) << 16 |
                   channel(40 + 200 * v * v) << 8 | channel(128 + 100 * std::cos(5 * v - 3 * u));
    }
  }
  return p;
}

// A desktop: flat windows with lines of dark "text" over a few shades.
Picture Desktop() {
  Picture p(kWidth, kHeight, 0x1E3A5F);
  const Picture noise = fake::NoisePicture(kWidth, kHeight, 3);
  for (int w = 0; w < 6; ++w) {
    const int left = 60 + w * 280, top = 40 + w * 120, right = left + 900, bottom = top + 600;
    for (int y = top; y < std::min(bottom, kHeight); ++y) {
      for (int x = left; x < std::min(right, kWidth); ++x) {
        std::uint32_t c = y < top + 30 ? 0xDDE6F0u : 0xFFFFFFu;
        const bool text_line = y > top + 40 && (y - top) % 18 < 11;
        if (text_line && (noise.at(x, y) & 3) == 0)
          c = 0x202020u + (noise.at(x, y) >> 8 & 0x3F3F3Fu);
        p.at(x, y) = c;
      }
    }
  }
  return p;
}

double MeanError(const Picture& picture, const IndexedPicture& q) {
  double total = 0;
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const std::uint32_t a = picture.pixels[i], b = q.palette[q.indices[i]];
    for (int s : {0, 8, 16}) total += std::abs(int(a >> s & 0xFF) - int(b >> s & 0xFF));
  }
  return total / (3.0 * static_cast<double>(picture.pixels.size()));
}

void Quantise(benchmark::State& state, const Picture& picture) {
  IndexedPicture q;
  for (auto _ : state) {
    q = QuantisePicture(picture);
    benchmark::DoNotOptimize(q.indices.data());
  }
  state.counters["colours"] = static_cast<double>(q.palette.size());
  state.counters["mean_error"] = MeanError(picture, q);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(picture.pixels.size()));
}

void BM_QuantisePhotograph(benchmark::State& state) {
  static const Picture picture = Photograph();
  Quantise(state, picture);
}
BENCHMARK(BM_QuantisePhotograph)->Unit(benchmark::kMillisecond);

void BM_QuantiseDesktop(benchmark::State& state) {
  static const Picture picture = Desktop();
  Quantise(state, picture);
}
BENCHMARK(BM_QuantiseDesktop)->Unit(benchmark::kMillisecond);

// The worst case: nearly every pixel a colour of its own.
void BM_QuantiseNoise(benchmark::State& state) {
  static const Picture picture = fake::NoisePicture(kWidth, kHeight, 9);
  Quantise(state, picture);
}
BENCHMARK(BM_QuantiseNoise)->Unit(benchmark::kMillisecond);

void BM_EncodeBmp(benchmark::State& state) {
  static const Picture picture = Photograph();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeBmp(picture).data());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(picture.pixels.size()) *
                          4);
}
BENCHMARK(BM_EncodeBmp)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace capture
