// The pen and the highlighter at 3840 x 2160: what one pointer move costs as the stroke grows,
// what the release costs, and what the history keeps for one stroke.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <span>
#include <utility>

#include "form/capture_form.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"

namespace capture {
namespace {

constexpr int kWidth = 3840, kHeight = 2160;

// One picture that drawing goes straight into, reporting what it changed. Taking a preview back
// and committing are the real surface's bookkeeping of what was drawn, not the tools' work, and
// are left out; drawing and the history's push are measured as they are.
class BenchSurface : public Surface {
 public:
  SizeI Size() const override { return {shown_.width, shown_.height}; }
  bool Freeze(Screen& screen) override {
    frozen_ = screen.Grab();
    shown_ = frozen_;
    changed_ = {0, 0, shown_.width, shown_.height};
    return true;
  }
  void FreezePicture(const Picture& picture) override {
    frozen_ = picture;
    SetPicture(frozen_);
  }
  PixelView Frozen() const override { return PixelView::Of(frozen_); }
  void ShowFrozen(bool) override { SetPicture(frozen_); }
  void ShowFrozenIn(const RectI&) override {}
  void SetPicture(const Picture& picture) override {
    shown_ = picture;
    changed_ = {0, 0, shown_.width, shown_.height};
  }
  PixelView Background() const override { return PixelView::Of(shown_); }
  Picture Copy(const RectI&) const override { return {}; }
  void CopyInto(const RectI&, Picture&) const override {}
  void Paste(const Picture&, int, int) override {}
  void Preview() override {}
  void EndPreview() override {}
  void Commit() override {}
  RectI TakeBackgroundChanges() override { return std::exchange(changed_, RectI{}); }
  RectI BackgroundChanges() const override { return changed_; }
  void Line(float, float, float, float, Colour) override {}
  void Box(float, float, float, float, Colour) override {}
  void Ellipse(int, int, int, int, Colour) override {}
  void FillSpans(std::span<const Span> spans, Colour colour) override {
    for (const Span& s : spans) {
      std::fill(&shown_.at(s.left, s.y), &shown_.at(s.left, s.y) + (s.right - s.left),
                PixelOf(colour));
      changed_ = Union(changed_, {s.left, s.y, s.right, s.y + 1});
    }
  }
  void MultiplySpans(std::span<const Span> spans, Colour tint) override {
    for (const Span& s : spans) {
      for (int x = s.left; x < s.right; ++x) {
        shown_.at(x, s.y) = MultiplyPixel(shown_.at(x, s.y), PixelOf(tint));
      }
      changed_ = Union(changed_, {s.left, s.y, s.right, s.y + 1});
    }
  }
  void SetFontSize(float, int) override {}
  void Text(int, int, std::u16string_view, Colour) override {}
  void TextCentredOn(float, float, std::u16string_view, Colour) override {}
  float TextWidth(std::u16string_view) const override { return 0; }
  Colour Pixel(int x, int y) const override { return ColourOf(shown_.at(x, y)); }

 private:
  Picture frozen_, shown_;
  RectI changed_;
};

// A run at 3840 x 2160 with a selection of almost all of it and a tool chosen by its key.
struct Bench {
  explicit Bench(int tool_key) : fake(fake::NoisePicture(kWidth, kHeight)) {
    run.Load();
    run.MouseDown(button::kLeft, 20, 20);
    run.MouseMove(button::kLeft, 3820, 2140);
    run.MouseUp(button::kLeft, 3820, 2140);
    run.KeyPress({tool_key, false, false, false});
  }

  fake::FakePlatform fake;
  BenchSurface surface;
  Platform platform{fake.window,  surface,      fake.screen,  fake.clipboard,
                    fake.dialogs, fake.gdiplus, fake.gdiplus, fake.saving};
  CaptureForm form{fake.window, fake.screen};
  CaptureRun run{form, platform};
};

// Point i of a path that goes back and forth across the selection `step` pixels at a time, each
// row 60 pixels below the last.
PointF PathPoint(int i, int step) {
  constexpr int kAcross = 3600;
  const int along = i * step, row = along / kAcross, x = along % kAcross;
  return {static_cast<float>(100 + (row % 2 == 0 ? x : kAcross - x)),
          static_cast<float>(100 + (row * 60) % 1900)};
}

// One move with a stroke of state.range(0) points held: the time is per move. The stroke grows by
// one point per iteration, so the iterations are few against its length.
void MovePerPoint(benchmark::State& state, int tool_key) {
  Bench b(tool_key);
  const auto points = static_cast<int>(state.range(0));
  b.run.MouseDown(button::kLeft, PathPoint(0, 3).x, PathPoint(0, 3).y);
  for (int i = 1; i < points; ++i)
    b.run.MouseMove(button::kLeft, PathPoint(i, 3).x, PathPoint(i, 3).y);
  int i = points;
  for ([[maybe_unused]] auto _ : state) {
    const PointF p = PathPoint(i++, 3);
    b.run.MouseMove(button::kLeft, p.x, p.y);
  }
}

void BM_PenMove(benchmark::State& state) {
  MovePerPoint(state, 'P');
}
void BM_HighlighterMove(benchmark::State& state) {
  MovePerPoint(state, 'H');
}

// The release of a stroke of state.range(0) points 10 pixels apart (1,000 points: 10,000 pixels
// of path, three rows across the screen; 100 points: a tenth of a row): drawing it whole into the
// picture and pushing the document. Reports what the history keeps for it.
void Release(benchmark::State& state, int tool_key) {
  Bench b(tool_key);
  const auto points = static_cast<int>(state.range(0));
  // Each stroke is undone before the next, whose push then drops it: what the history holds
  // beyond the frozen screen's snapshot is the one stroke's.
  const std::size_t frozen = b.form.history.Bytes();
  double bytes = 0;
  for ([[maybe_unused]] auto _ : state) {
    state.PauseTiming();
    b.run.MouseDown(button::kLeft, PathPoint(0, 10).x, PathPoint(0, 10).y);
    for (int i = 1; i < points; ++i) {
      b.run.MouseMove(button::kLeft, PathPoint(i, 10).x, PathPoint(i, 10).y);
    }
    state.ResumeTiming();

    b.run.MouseUp(button::kLeft, PathPoint(points - 1, 10).x, PathPoint(points - 1, 10).y);

    state.PauseTiming();
    bytes = static_cast<double>(b.form.history.Bytes() - frozen);
    b.run.KeyPress({'Z', true, false, false});  // undo, so that every release starts alike
    state.ResumeTiming();
  }
  state.counters["history_bytes_per_stroke"] = bytes;
}

void BM_PenRelease(benchmark::State& state) {
  Release(state, 'P');
}
void BM_HighlighterRelease(benchmark::State& state) {
  Release(state, 'H');
}

BENCHMARK(BM_PenMove)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(200)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HighlighterMove)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(200)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PenRelease)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_HighlighterRelease)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
}  // namespace capture
