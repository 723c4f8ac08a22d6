// One pointer move during a selection drag, during a handle drag and while aiming (the magnifier
// and the outline of what lies under the pointer follow it) on a 3840 x 2160 screen: the core's
// time, and the capture window's area that move makes the platform repaint. The drags run three
// ways (the argument): 0 without the magnifier (the pointer as if it had not moved since the
// window appeared), 1 with it in its own window as the program shows it, 2 with it painted by the
// capture window, for comparison. BM_MagnifierMove is the magnifier's own work per move: what the
// core does for it and the pixels its own window is drawn with.
#include <benchmark/benchmark.h>

#include "form/capture_form.h"
#include "form/repaint.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"
#include "selection/magnifier.h"

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

enum Magnifier { kNone, kOwnWindow, kInCaptureWindow };

void ShowMagnifier(Session& s, const benchmark::State& state) {
  s.form[ControlId::Magnifier].own_window = state.range(0) != kInCaptureWindow;
}

// Runs one move and the repaint diff that follows it, as the window procedure does.
void MoveAndDiff(const benchmark::State& state, Session& s, float x, float y, long long& area,
                 int buttons = button::kLeft) {
  const Controls before = s.form.controls;
  if (state.range(0) == kNone) {
    Aim& aim = s.run.state().selection.aim;
    aim.first_move = PointF{x, y};
    aim.moved = false;
  }
  s.run.MouseMove(buttons, x, y);
  const auto areas = ChangedAreas(before, s.form.controls);
  area += fake::TotalArea(areas);
  benchmark::DoNotOptimize(areas.data());
}

void BM_SelectionDragMove(benchmark::State& state) {
  Session s;
  ShowMagnifier(s, state);
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
BENCHMARK(BM_SelectionDragMove)->Arg(kNone)->Arg(kOwnWindow)->Arg(kInCaptureWindow);

void BM_HandleDragMove(benchmark::State& state) {
  Session s;
  ShowMagnifier(s, state);
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
BENCHMARK(BM_HandleDragMove)->Arg(kNone)->Arg(kOwnWindow)->Arg(kInCaptureWindow);

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
BENCHMARK(BM_AimingMove)->Arg(kOwnWindow);

// The magnifier alone, while aiming over a bare desktop: placing it and reading its 15 x 11 pixels
// and its colour, then deciding that its window must be drawn again. The pixels of that window,
// which the shell paints for each move, are counted.
void BM_MagnifierMove(benchmark::State& state) {
  Session s;
  s.run.MouseMove(0, 1, 1);
  s.run.MouseMove(0, 2, 2);
  long long drawn = 0;
  float t = 0;
  for ([[maybe_unused]] auto _ : state) {
    t = t > 1000 ? 0 : t + 1;
    const Controls before = s.form.controls;
    s.run.state().selection.aim.pointer = {1500 + t, 900 + t};
    FollowWithMagnifier(s.form, s.run.state().selection, s.run.state().annotate.choice,
                        s.fake.surface);
    if (OwnWindowChanged(before, s.form.controls, ControlId::Magnifier)) {
      const PointF size = s.form.controls.Extent(ControlId::Magnifier);
      drawn += static_cast<long long>(size.x) * static_cast<long long>(size.y);
    }
  }
  state.counters["own_window_px_per_move"] =
      benchmark::Counter(static_cast<double>(drawn) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_MagnifierMove);

}  // namespace
}  // namespace capture
