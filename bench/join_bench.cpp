// Joining the frames of a scrolling area: the processor time to place one 1920 x 1080 frame, and
// the memory a 30000-row picture 1920 wide costs (its chunks, and the process's peak).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <vector>

#include "join/frame_joiner.h"

namespace capture::join {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kStep = 97;  // rows a notch scrolls

// Content row `r` of a page: `ink` rows of noise in every 20, white between, like lines of text.
std::uint32_t Page(int x, int r, int ink) {
  if (r % 20 >= ink) return 0xFFFFFF;
  std::uint32_t h =
      static_cast<std::uint32_t>(r) * 2654435761u ^ static_cast<std::uint32_t>(x) * 40503u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return (h ^ (h >> 15)) & 0xFFFFFF;
}

void DrawFrame(Picture& frame, int position, int ink) {
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) frame.at(x, y) = Page(x, position + y, ink);
  }
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Builds a 30000-row picture 1920 wide frame by frame; run first, before any other benchmark
// raises the peak. Counters: the picture's own pixels, the chunks holding them, and how far the
// process's peak rose over those pixels (the budget: two frames and 64 MiB).
void BM_TallPictureMemory(benchmark::State& state) {
  constexpr double kMiB = 1024.0 * 1024.0;
  for ([[maybe_unused]] auto _ : state) {
    const long before = PeakKiB();
    Picture frame(kWidth, kHeight);
    DrawFrame(frame, 0, 20);
    FrameJoiner joiner(PixelView::Of(frame), {}, 30000);
    for (int position = kStep * 5; joiner.Height() < 30000; position += kStep * 5) {
      DrawFrame(frame, position, 20);
      if (joiner.Add(PixelView::Of(frame), {}) == Joined::Refused) state.SkipWithError("refused");
    }
    const double pixels = static_cast<double>(joiner.Width()) * joiner.Height() * 4 / kMiB;
    state.counters["picture_MiB"] = pixels;
    state.counters["chunks_MiB"] = static_cast<double>(joiner.Bytes()) / kMiB;
    state.counters["peak_over_picture_MiB"] =
        static_cast<double>(PeakKiB() - before) / 1024.0 - pixels;
  }
}
BENCHMARK(BM_TallPictureMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// One frame placed below a picture already started. Argument: rows of ink in every 20 (20: a
// page of noise, 4: mostly white, where most rows agree at many offsets).
void BM_JoinFrame(benchmark::State& state) {
  const int ink = static_cast<int>(state.range(0));
  constexpr int kFrames = 8;
  std::vector<Picture> frames(kFrames, Picture(kWidth, kHeight));
  for (int i = 0; i < kFrames; ++i) DrawFrame(frames[static_cast<std::size_t>(i)], i * kStep, ink);
  std::size_t next = kFrames;
  FrameJoiner joiner(PixelView::Of(frames[0]), {}, 30000);
  for ([[maybe_unused]] auto _ : state) {
    if (next == kFrames) {
      state.PauseTiming();
      joiner = FrameJoiner(PixelView::Of(frames[0]), {}, 30000);
      next = 1;
      state.ResumeTiming();
    }
    if (joiner.Add(PixelView::Of(frames[next++]), {}) != Joined::Added)
      state.SkipWithError("not added");
  }
}
BENCHMARK(BM_JoinFrame)->Arg(20)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace capture::join
