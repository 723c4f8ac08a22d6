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
  for ([[maybe_unused]] auto _ : state) {
    q = QuantisePicture(picture);
    benchmark::DoNotOptimize(q.indices.data());
  }
  state.counters["colours"] = static_cast<double>(q.palette.size());
  state.counters["mean_error"] = MeanError(picture, q);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(picture.pixels.size()));
}

void BM_QuantisePhotograph(benchmark::State& state) {
  static const Picture picture = fake::PhotographicPicture(kWidth, kHeight);
  Quantise(state, picture);
}
BENCHMARK(BM_QuantisePhotograph)->Unit(benchmark::kMillisecond);

void BM_QuantiseDesktop(benchmark::State& state) {
  static const Picture picture = fake::DesktopPicture(kWidth, kHeight);
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
  static const Picture picture = fake::PhotographicPicture(kWidth, kHeight);
  for ([[maybe_unused]] auto _ : state) benchmark::DoNotOptimize(EncodeBmp(picture).data());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(picture.pixels.size()) *
                          4);
}
BENCHMARK(BM_EncodeBmp)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace capture
