// Cost of the snapshot store with an annotation of typical size between snapshots: the time of a
// push and of a restore, and the memory each snapshot adds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <utility>

#include "form/history.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

// The store's view of the window: a background picture the benchmark draws on directly, which
// reports the area it drew as changed, as the real surface does. Commit and set-picture cost the
// real surface a copy of what changed; they are not the store's work.
class BenchSurface : public fake::FakeSurface {
 public:
  explicit BenchSurface(Picture picture) : frame(std::move(picture)) {}
  void SetPicture(const Picture& picture) override {
    frame = picture;
    changed = {0, 0, frame.width, frame.height};
  }
  PixelView Background() const override { return PixelView::Of(frame); }
  void Commit() override {}
  RectI TakeBackgroundChanges() override { return std::exchange(changed, RectI{}); }
  RectI BackgroundChanges() const override { return changed; }

  Picture frame;
  RectI changed;
};

void Fill(Picture& p, int left, int top, int width, int height, std::uint32_t colour) {
  for (int y = top; y < top + height; ++y) {
    std::fill_n(p.pixels.begin() + static_cast<std::ptrdiff_t>(y) * p.width + left, width, colour);
  }
}

// Annotation n: a 300 x 200 rectangle outline with a filled 120 x 20 patch (a line of text) in
// it, somewhere else on the screen each time. Reports the area it drew as changed.
void Annotate(BenchSurface& surface, int n) {
  Picture& p = surface.frame;
  const int left = (n * 397) % (p.width - 300), top = (n * 211) % (p.height - 200);
  const std::uint32_t colour = 0xFF0000u ^ static_cast<std::uint32_t>(n * 0x10305);
  Fill(p, left, top, 300, 1, colour);
  Fill(p, left, top + 199, 300, 1, colour);
  Fill(p, left, top, 1, 200, colour);
  Fill(p, left + 299, top, 1, 200, colour);
  Fill(p, left + 20, top + 30, 120, 20, colour);
  surface.changed = Union(surface.changed, {left, top, left + 300, top + 200});
}

constexpr int kUndoEvery = 50;  // keeps the benchmark's memory bounded

void BM_Push(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  BenchSurface surface(fake::NoisePicture(width, height));
  History history;
  history.Start(surface);
  const double screen_bytes = static_cast<double>(history.Bytes());
  double added = 0;
  int counted = 0, n = 0;
  for ([[maybe_unused]] auto _ : state) {
    state.PauseTiming();
    // Now and then everything is undone, so the next push drops the other snapshots.
    const bool drops = history.Count() >= kUndoEvery;
    if (drops) {
      while (history.Undo(surface)) {
      }
    }
    Annotate(surface, n++);
    const std::size_t before = history.Bytes();
    state.ResumeTiming();

    history.Push(surface);

    state.PauseTiming();
    if (!drops) {
      added += static_cast<double>(history.Bytes() - before);
      ++counted;
    }
    state.ResumeTiming();
  }
  state.counters["bytes_per_snapshot"] = counted > 0 ? added / counted : 0;
  state.counters["first_snapshot_bytes"] = screen_bytes;
}

void BM_Restore(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  BenchSurface surface(fake::NoisePicture(width, height));
  History history;
  history.Start(surface);
  const std::size_t screen_bytes = history.Bytes();
  for (int n = 0; n < 8; ++n) {
    Annotate(surface, n);
    history.Push(surface);
  }
  int k = 1;
  for ([[maybe_unused]] auto _ : state) {
    benchmark::DoNotOptimize(history.PictureAt(k));
    k = k % history.Count() + 1;
  }
  state.counters["snapshots"] = history.Count();
  state.counters["bytes_per_snapshot"] =
      static_cast<double>(history.Bytes() - screen_bytes) / (history.Count() - 1);
}

BENCHMARK(BM_Push)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Restore)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace capture
