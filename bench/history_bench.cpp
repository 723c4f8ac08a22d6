// The document and its history at 3840 x 2160 on the core alone (the in-memory surface): what 100
// rectangles drawn through the run add to the history, what 1,000 moves of one of them add, the
// time of an undo and a redo of the newest of 100 marks of every kind (a 1000 x 1000 blur), and a
// 400 x 300 rectangle dragged across 100 marks of every kind: pixels drawn again and time per move,
// and an undo and redo of a step that moved a 1000 x 1000 blur among them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "annotate/render.h"
#include "form/capture_form.h"
#include "form/history.h"
#include "hundred_marks.h"
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

// The in-memory surface with one picture: drawing goes straight into it, and the taking back and
// keeping of layers (a copy of the whole picture each in the in-memory surface, where the Windows
// surface copies only what was drawn) are left out, so that what is timed is the renderer and the
// pixels it draws.
class OneLayerSurface : public fake::FakeSurface {
 protected:
  void PreviewTakenBack() override {}
  void DrawingTakenBack() override {}
  void RetainedKept() override {}
};

// A capture showing the document on the one-layer surface, its history holding it.
struct Drawn {
  explicit Drawn(std::size_t place) {
    surface.Freeze(screen);
    history.Start();
    Show(bench::HundredMarks(place, serial));
  }
  void Show(Document next) {
    ShowDocument(next, history, surface);
    history.Reserve();
    history.Push(std::move(next));
  }

  fake::FakeScreen screen{fake::NoisePicture(kWidth, kHeight)};
  OneLayerSurface surface;
  History history;
  std::uint64_t serial = 0;
};

// Each iteration one move of the rectangle by 20 pixels along the selection and back: the
// document with it replaced, shown and stored. Arg: the rectangle's place among the 100 (on top,
// or in the middle with 50 marks above it, blurs among them, that read what it covers).
void BM_DragARectangleAcrossHundredMarks(benchmark::State& state) {
  const auto place = static_cast<std::size_t>(state.range(0));
  Drawn d(place);
  int step = 0;
  const long long before = d.surface.restored_pixels;
  for ([[maybe_unused]] auto _ : state) {
    const float dx = (step++ / 150) % 2 == 0 ? 20.f : -20.f;
    d.Show(bench::WithMarkMoved(d.history.Shown(), place, {dx, 0}, d.serial));
  }
  state.counters["pixels_redrawn_per_move"] = benchmark::Counter(
      static_cast<double>(d.surface.restored_pixels - before), benchmark::Counter::kAvgIterations);
  state.counters["history_bytes"] = static_cast<double>(d.history.Bytes());
}

// Undo then redo of a step that moved a 1000 x 1000 blur by 300 pixels, on top of 100 marks of
// every kind: the time is per undo and redo together.
void BM_UndoRedoOfMovingABlur(benchmark::State& state) {
  Drawn d(100);
  Mark blur = bench::Made(MarkKind::Mosaic, {});
  blur.area = {1400, 600, 2400, 1600};
  blur.mosaic.kind = MosaicKind::Blur;
  blur.serial = ++d.serial;
  Document with_blur = d.history.Shown();
  with_blur.marks.push_back(std::make_shared<const Mark>(std::move(blur)));
  d.Show(with_blur);
  d.Show(bench::WithMarkMoved(d.history.Shown(), with_blur.marks.size() - 1, {300, 200}, d.serial));
  const long long before = d.surface.restored_pixels;
  for ([[maybe_unused]] auto _ : state) {
    ShowDocument(d.history.At(d.history.Current() - 1), d.history, d.surface);
    d.history.Undo();
    ShowDocument(d.history.At(d.history.Current() + 1), d.history, d.surface);
    d.history.Redo();
  }
  state.counters["pixels_redrawn_per_undo_and_redo"] = benchmark::Counter(
      static_cast<double>(d.surface.restored_pixels - before), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_DragARectangleAcrossHundredMarks)->Arg(100)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoOfMovingABlur)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HundredRectangles)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ThousandMovesOfOneMarkAmongHundred)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_UndoRedoOfABlurOnTopOfHundredMarks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace capture
