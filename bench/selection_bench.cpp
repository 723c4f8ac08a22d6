// One pointer move during a selection drag and during a handle drag on a 3840 x 2160 screen:
// the core's time, and the window area that move makes the platform repaint.
#include <benchmark/benchmark.h>

#include "capture/capture_form.h"
#include "capture/repaint.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

constexpr int kWidth = 3840, kHeight = 2160;

struct Session {
  Session() : fake(Picture(kWidth, kHeight, 0x336699)), form(fake.platform) { form.Load(); }
  fake::FakePlatform fake;
  CaptureForm form;
};

// Runs one move and the repaint diff that follows it, as the window procedure does.
void MoveAndDiff(benchmark::State& state, Session& s, float x, float y, long long& area) {
  const Controls before = s.form.controls;
  s.form.MouseMove(button::kLeft, 0, x, y);
  const auto areas = ChangedAreas(before, s.form.controls);
  area += TotalArea(areas);
  benchmark::DoNotOptimize(areas.data());
  (void)state;
}

void BM_SelectionDragMove(benchmark::State& state) {
  Session s;
  s.form.MouseDown(button::kLeft, 0, 200, 200);
  long long area = 0;
  float t = 0;
  for (auto _ : state) {
    t = t > 1000 ? 0 : t + 1;
    MoveAndDiff(state, s, 2000 + t, 1200 + t, area);
  }
  state.counters["repaint_px_per_move"] =
      benchmark::Counter(static_cast<double>(area) / state.iterations());
  state.counters["screen_px"] = kWidth * kHeight;
}
BENCHMARK(BM_SelectionDragMove);

void BM_HandleDragMove(benchmark::State& state) {
  Session s;
  s.form.MouseDown(button::kLeft, 0, 200, 200);
  s.form.MouseMove(button::kLeft, 0, 2200, 1400);
  s.form.MouseUp(button::kLeft, 0, 2200, 1400);
  const PointF handle = s.form.controls.Origin(Image1(6));
  s.form.MouseDown(button::kLeft, 0, handle.x + 1, handle.y + 1);
  long long area = 0;
  int t = 0;
  for (auto _ : state) {
    t = t > 1000 ? 0 : t + 1;
    s.fake.window.cursor = {2300 + t, 1500 + t};
    MoveAndDiff(state, s, float(2300 + t), float(1500 + t), area);
  }
  state.counters["repaint_px_per_move"] =
      benchmark::Counter(static_cast<double>(area) / state.iterations());
  state.counters["screen_px"] = kWidth * kHeight;
}
BENCHMARK(BM_HandleDragMove);

}  // namespace
}  // namespace capture
