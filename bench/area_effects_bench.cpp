// The mosaic tool's two effects on a 1000 x 1000 area of a 3840 x 2160 picture: the core's share
// of one preview move or one commit (the surface's copy and paste are measured under Wine by
// bench/win32/marks_bench).
#include <benchmark/benchmark.h>

#include "annotate/area_effects.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

const Picture& Screen() {
  static const Picture screen = fake::NoisePicture(3840, 2160);
  return screen;
}

constexpr RectI kArea{1000, 600, 2000, 1600};

void BM_Pixelate(benchmark::State& state) {
  const int cell = static_cast<int>(state.range(0));
  for ([[maybe_unused]] auto _ : state)
    benchmark::DoNotOptimize(Pixelate(PixelView::Of(Screen()), kArea, cell));
  state.counters["Mpx/s"] = benchmark::Counter(1e6 * static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Pixelate)->Arg(8)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_Blur(benchmark::State& state) {
  const int box = static_cast<int>(state.range(0));
  for ([[maybe_unused]] auto _ : state)
    benchmark::DoNotOptimize(Blur(PixelView::Of(Screen()), kArea, box));
  state.counters["Mpx/s"] = benchmark::Counter(1e6 * static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
}
// 4 at 96 DPI, 8 at 192.
BENCHMARK(BM_Blur)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace capture
