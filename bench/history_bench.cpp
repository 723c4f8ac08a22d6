// The history at 3840 x 2160 on the core alone (the in-memory surface): what 100 rectangles drawn
// through the run add to it, what 1,000 moves of one of them add, and the time of an undo and a
// redo of the newest of 100 marks of every kind, one of them a 1000 x 1000 blur.
#include <benchmark/benchmark.h>

#include <memory>
#include <utility>

#include "form/capture_form.h"
#include "form/history.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"

namespace capture {
namespace {

constexpr int kWidth = 3840, kHeight = 2160;

// A run with a selection of almost all of the screen.
struct Bench {
  Bench() {
    run.Load();
    Drag(20, 20, 3820, 2140);
  }
  void Drag(float x1, float y1, float x2, float y2) {
    run.MouseDown(button::kLeft, x1, y1);
    run.MouseMove(button::kLeft, x2, y2);
    run.MouseUp(button::kLeft, x2, y2);
  }
  void Key(int key) { run.KeyPress({key, false, false, false}); }

  fake::FakePlatform fake{fake::NoisePicture(kWidth, kHeight)};
  CaptureForm form{fake.window, fake.screen};
  CaptureRun run{form, fake.platform};
};

// The rectangle i of 100: ten rows of ten, 300 x 150 each.
void DrawRectangle(Bench& b, int i) {
  const int column = i % 10, row = i / 10;
  const float x = 400 + static_cast<float>(column) * 320, y = 200 + static_cast<float>(row) * 170;
  b.Drag(x, y, x + 300, y + 150);
}

void BM_HundredRectangles(benchmark::State& state) {
  double added = 0;
  for ([[maybe_unused]] auto _ : state) {
    state.PauseTiming();
    Bench b;
    b.Key('R');
    const std::size_t at_start = b.form.history.Bytes();
    state.ResumeTiming();
    for (int i = 0; i < 100; ++i) DrawRectangle(b, i);
    state.PauseTiming();
    added = static_cast<double>(b.form.history.Bytes() - at_start);
    state.ResumeTiming();
  }
  state.counters["history_bytes_for_100"] = added;
  state.counters["bytes_per_rectangle"] = added / 100;
}

// 1,000 steps that each move the rectangle in the middle of 100 by a pixel: what they add to the
// history (each step a new mark in the old one's place).
void BM_ThousandMovesOfOneMarkAmongHundred(benchmark::State& state) {
  double added = 0;
  for ([[maybe_unused]] auto _ : state) {
    state.PauseTiming();
    Bench b;
    b.Key('R');
    for (int i = 0; i < 100; ++i) DrawRectangle(b, i);
    History& history = b.form.history;
    const std::size_t at_start = history.Bytes();
    state.ResumeTiming();
    for (int i = 0; i < 1000; ++i) {
      Document next = history.Shown();
      Mark moved = *next.marks[50];
      for (PointF& point : moved.points) point.y += 1;
      moved.serial = history.NewSerial();
      next.marks[50] = std::make_shared<const Mark>(std::move(moved));
      history.Reserve();
      history.Push(std::move(next));
    }
    state.PauseTiming();
    added = static_cast<double>(history.Bytes() - at_start);
    state.ResumeTiming();
  }
  state.counters["history_bytes_for_1000_moves"] = added;
  state.counters["bytes_per_move"] = added / 1000;
}

// Undo then redo of the newest of 100 marks of every kind, the newest a 1000 x 1000 blur; the
// time is per undo and redo together.
void BM_UndoRedoOfABlurOnTopOfHundredMarks(benchmark::State& state) {
  Bench b;
  static constexpr int kKeys[] = {'R', 'E', 'A', 'P', 'H', 'N', 'M'};
  for (int i = 0; i < 99; ++i) {
    b.Key(kKeys[i % 7]);
    const int column = i % 10, row = i / 10;
    const float x = 200 + static_cast<float>(column) * 340;
    const float y = 200 + static_cast<float>(row) * 180;
    b.Drag(x, y, x + 300, y + 150);
  }
  b.Key('M');
  const PointF blur = b.form.controls.Origin(ChoiceId(1));
  b.run.MouseDown(button::kLeft, blur.x + 2, blur.y + 2);
  b.run.MouseUp(button::kLeft, blur.x + 2, blur.y + 2);
  b.Drag(1400, 600, 2400, 1600);
  for ([[maybe_unused]] auto _ : state) {
    b.run.KeyPress({'Z', true, false, false});
    b.run.KeyPress({'Y', true, false, false});
  }
  state.counters["marks"] = static_cast<double>(b.form.history.Shown().marks.size());
  state.counters["history_bytes"] = static_cast<double>(b.form.history.Bytes());
}

BENCHMARK(BM_HundredRectangles)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ThousandMovesOfOneMarkAmongHundred)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_UndoRedoOfABlurOnTopOfHundredMarks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace capture
