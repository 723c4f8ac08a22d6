// One pointer move during a selection drag, during a handle drag and while aiming (the magnifier
// and the outline of what lies under the pointer follow it) on a 3840 x 2160 screen: the core's
// time, and the window area that move makes the platform repaint.
#include <benchmark/benchmark.h>

#include "form/capture_form.h"
#include "form/repaint.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"

namespace capture {
namespace {

constexpr int kWidth = 3840, kHeight = 2160;

struct Session {
  Session()
      : fake(Picture(kWidth, kHeight, 0x336699)),
        form(fake.window, fake.screen),
        run(form, fake.platform) {
    run.Load();
  }
  fake::FakePlatform fake;
  CaptureForm form;
  CaptureRun run;
};

// Runs one move and the repaint diff that follows it, as the window procedure does.
void MoveAndDiff(benchmark::State& state, Session& s, float x, float y, long long& area,
                 int buttons = button::kLeft) {
  const Controls before = s.form.controls;
  s.run.MouseMove(buttons, x, y);
  const auto areas = ChangedAreas(before, s.form.controls);
  area += fake::TotalArea(areas);
  benchmark::DoNotOptimize(areas.data());
  (void)state;
}

void BM_SelectionDragMove(benchmark::State& state) {
  Session s;
  s.run.MouseDown(button::kLeft, 200, 200);
  long long area = 0;
  float t = 0;
  for ([[maybe_unused]] auto _ : state) {
    t = t > 1000 ? 0 : t + 1;
    MoveAndDiff(state, s, 2000 + t, 1200 + t, area);
  }
  state.counters["repaint_px_per_move"] =
      benchmark::Counter(static_cast<double>(area) / static_cast<double>(state.iterations()));
  state.counters["screen_px"] = kWidth * kHeight;
}
BENCHMARK(BM_SelectionDragMove);

void BM_HandleDragMove(benchmark::State& state) {
  Session s;
  s.run.MouseDown(button::kLeft, 200, 200);
  s.run.MouseMove(button::kLeft, 2200, 1400);
  s.run.MouseUp(button::kLeft, 2200, 1400);
  const PointF handle = s.form.controls.Origin(HandleId(Handle::BottomRight));
  s.run.MouseDown(button::kLeft, handle.x + 1, handle.y + 1);
  long long area = 0;
  int t = 0;
  for ([[maybe_unused]] auto _ : state) {
    t = t > 1000 ? 0 : t + 1;
    MoveAndDiff(state, s, float(2300 + t), float(1500 + t), area);
  }
  state.counters["repaint_px_per_move"] =
      benchmark::Counter(static_cast<double>(area) / static_cast<double>(state.iterations()));
  state.counters["screen_px"] = kWidth * kHeight;
}
BENCHMARK(BM_HandleDragMove);

// No selection yet: each move places the magnifier, fills its 15 x 11 pixels and outlines the
// window under the pointer (one of 200 listed windows with five controls each).
void BM_AimingMove(benchmark::State& state) {
  Session s;
  for (int w = 0; w < 200; ++w) {
    const int x = (w % 20) * 190, y = (w / 20) * 210;
    const int parent = static_cast<int>(s.run.state().selection.aim.elements.size());
    s.run.state().selection.aim.elements.push_back({{x, y, x + 180, y + 200}, -1});
    for (int c = 0; c < 5; ++c) {
      s.run.state().selection.aim.elements.push_back(
          {{x + 10, y + 10 + 36 * c, x + 170, y + 40 + 36 * c}, parent});
    }
  }
  s.run.MouseMove(0, 1, 1);
  long long area = 0;
  float t = 0;
  for ([[maybe_unused]] auto _ : state) {
    t = t > 1000 ? 0 : t + 1;
    MoveAndDiff(state, s, 1500 + t, 900 + t, area, 0);
  }
  state.counters["repaint_px_per_move"] =
      benchmark::Counter(static_cast<double>(area) / static_cast<double>(state.iterations()));
  state.counters["screen_px"] = kWidth * kHeight;
}
BENCHMARK(BM_AimingMove);

}  // namespace
}  // namespace capture
