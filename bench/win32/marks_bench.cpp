// The mosaic and the numbered steps on the Windows drawing surface at 3840 x 2160: the time of the
// preview moves and of the commit of a 1000 x 1000 mosaic, in cells and blurred, and what the
// history holds per annotation of each tool; a 400 x 300 rectangle dragged across 100 marks of
// every kind (the document with it moved shown per move), and the undo and redo of a step that
// moved a 1000 x 1000 blur among them.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>

#include "../hundred_marks.h"
#include "annotate/mark_reach.h"
#include "annotate/mosaic.h"
#include "annotate/render.h"
#include "clock.h"
#include "form/history.h"
#include "platform/fake/fake_platform.h"
#include "shell/win32_surface.h"

namespace capture {
namespace {

using bench::Now;
using bench::ThreadTime;

constexpr int kWidth = 3840, kHeight = 2160, kMoves = 60, kCommits = 10, kAnnotations = 50;
constexpr RectI kSelection{100, 100, 3740, 2060};

// A desktop-like screen frozen into the surface, and the document of no marks.
void Start(win32::Win32Surface& surface, History& history) {
  fake::FakeScreen screen(fake::DesktopPicture(kWidth, kHeight));
  surface.Freeze(screen);
  history.Start();
}

// A mosaic of the area as its mark, its hidden pixels already made by the drag.
Mark MosaicMark(capture::MosaicDrag& drag, const Surface& surface, const History& history,
                const RectI& area, const MosaicStyle& style) {
  Mark mark;
  mark.kind = MarkKind::Mosaic;
  mark.area = area;
  mark.clip = kSelection;
  mark.mosaic = style;
  mark.rendered = std::make_shared<const RenderedArea>(
      RenderedArea{UnderKeyOnTop(history.Shown().marks, mark), drag.Hidden(surface, area)});
  return mark;
}

// A mosaic drag at 1000 x 1000 and its release, down and right (the rectangle's top-left stays)
// or up and left (it moves, and with it the cells' alignment):
// - the first move straight from the press to the whole rectangle (on the clock: the processor
//   times Wine reports come in steps of about 10 ms);
// - a drag from the press that grows the rectangle by 20 pixels each way per move, as a quick hand
//   does: the mean per move, and the slowest move on the clock;
// - moves that keep the rectangle while its moving corner wanders by a pixel or two;
// - the release: the effect drawn into the picture as a mark, and the document pushed;
// - the undo of that release: the frozen screen shown again and the marks below drawn on it.
void MosaicDrag(const char* name, const MosaicStyle& style, bool up_left) {
  win32::Win32Surface surface;
  History history;
  Start(surface, history);
  // A first annotation elsewhere makes the working layer, as the first move of the first drawing
  // of any tool does, so that undoing a release below goes back to a picture that needs it too.
  Mark line;
  line.kind = MarkKind::Pen;
  line.points = {{200, 200}, {300, 200}};
  line.size = 1;
  line.clip = kSelection;
  line.colour = Rgb(255, 0, 0);
  AddMark(history, surface, line);

  const float sign = up_left ? -1.f : 1.f;
  const PointF start = up_left ? PointF{2000, 1600} : PointF{1000, 600};
  const auto at = [&](float reach) {
    return PointF{start.x + sign * reach, start.y + sign * reach};
  };
  // As the tool does it: the press takes any preview back, and each move changes the preview.
  std::int64_t repainted = 0;
  const auto move = [&](capture::MosaicDrag& drag, PointF end) {
    drag.Preview(surface, MosaicArea(kSelection, start, end));
    const win32::DirtyRects changes = surface.TakeScreenChanges();
    for (const RectI& r : changes.Rects()) {
      repainted += static_cast<std::int64_t>(r.right - r.left) * (r.bottom - r.top);
    }
  };

  double jump_ms = 0;
  {
    surface.Preview();
    capture::MosaicDrag drag(kSelection, style);
    const double from = Now();
    move(drag, at(1000));
    jump_ms = (Now() - from) * 1000;
  }

  // The drag's state is made at the press and kept until the release.
  surface.Preview();
  capture::MosaicDrag drag(kSelection, style);
  constexpr int kGrowth = 20, kGrowthMoves = 1000 / kGrowth;
  double slowest_ms = 0;
  const double grow_busy_from = ThreadTime();
  for (int reach = kGrowth; reach <= 1000; reach += kGrowth) {
    const double from = Now();
    move(drag, at(static_cast<float>(reach)));
    slowest_ms = std::max(slowest_ms, (Now() - from) * 1000);
  }
  const double grow_busy_ms = (ThreadTime() - grow_busy_from) * 1000 / kGrowthMoves;

  const auto wander = [&](int i) { return at(1000.f + static_cast<float>(i % 3)); };
  repainted = 0;
  const double moves_from = Now(), moves_busy_from = ThreadTime();
  for (int i = 0; i < kMoves; ++i) move(drag, wander(i));
  const double per_move_ms = (Now() - moves_from) * 1000 / kMoves;
  const double per_move_busy_ms = (ThreadTime() - moves_busy_from) * 1000 / kMoves;
  const double repainted_per_move = static_cast<double>(repainted) / kMoves;

  // Each commit is undone before the next, so each draws on the same picture.
  double commit_ms = 0, commit_busy_ms = 0, undo_ms = 0;
  for (int i = 0; i < kCommits; ++i) {
    const double commit_from = Now(), commit_busy_from = ThreadTime();
    surface.EndPreview();
    const RectI area = MosaicArea(kSelection, start, wander(i));
    AddMark(history, surface, MosaicMark(drag, surface, history, area, style));
    surface.TakeScreenChanges();
    commit_ms += (Now() - commit_from) * 1000 / kCommits;
    commit_busy_ms += (ThreadTime() - commit_busy_from) * 1000 / kCommits;
    const double undo_from = Now();
    ShowDocument(history.At(history.Current() - 1), history, surface);
    history.Undo();
    undo_ms += (Now() - undo_from) * 1000 / kCommits;
  }
  std::printf(
      "mosaic %-11s 1000x1000 %-10s one jump %6.2f ms; growing %5.2f ms/move processor, "
      "slowest %6.2f ms; per move %5.2f ms (%5.2f ms processor, %4.0f k pixels repainted); "
      "commit %6.2f ms (%6.2f ms processor); its undo %6.2f ms\n",
      name, up_left ? "up-left" : "down-right", jump_ms, grow_busy_ms, slowest_ms, per_move_ms,
      per_move_busy_ms, repainted_per_move / 1000, commit_ms, commit_busy_ms, undo_ms);
}

// kAnnotations annotations of one tool, each somewhere else: the bytes the history adds for each.
template <typename Draw>
void BytesPerAnnotation(const char* name, Draw draw) {
  win32::Win32Surface surface;
  History history;
  Start(surface, history);
  const std::size_t at_start = history.Bytes();
  for (int i = 0; i < kAnnotations; ++i) {
    const int column = i % 10, row = i / 10;
    const PointF at{300.f + static_cast<float>(column) * 340,
                    300.f + static_cast<float>(row) * 340};
    surface.EndPreview();
    draw(surface, history, at);
  }
  std::printf("%-34s history %7.1f KB per annotation (%d annotations, %.1f MB in all)\n", name,
              static_cast<double>(history.Bytes() - at_start) / kAnnotations / 1e3, kAnnotations,
              static_cast<double>(history.Bytes()) / 1e6);
}

// A capture on the Windows surface showing the 100 marks with the rectangle at `place`.
struct Drawn {
  explicit Drawn(std::size_t place) {
    fake::FakeScreen screen(fake::DesktopPicture(kWidth, kHeight));
    surface.Freeze(screen);
    surface.EndPreview();
    history.Start();
    Show(bench::HundredMarks(place, serial));
    surface.TakeScreenChanges();
  }
  void Show(Document next) {
    ShowDocument(next, history, surface);
    history.Reserve();
    history.Push(std::move(next));
  }

  win32::Win32Surface surface;
  History history;
  std::uint64_t serial = 0;
};

// The rectangle dragged 20 pixels a move across the selection, on top of the 100 marks or in the
// middle of them (blurs above it then read what it covers).
void DragAcrossHundredMarks(std::size_t place) {
  Drawn d(place);
  constexpr int kDragMoves = 150;
  long long repainted = 0;
  double slowest_ms = 0;
  const double from = Now(), busy_from = ThreadTime();
  for (int i = 0; i < kDragMoves; ++i) {
    const double move_from = Now();
    d.Show(bench::WithMarkMoved(d.history.Shown(), place, {20, 0}, d.serial));
    repainted += d.surface.TakeScreenChanges().Area();
    slowest_ms = std::max(slowest_ms, (Now() - move_from) * 1000);
  }
  std::printf(
      "drag 400x300 rectangle %s 100 marks: per move %5.2f ms processor, %5.2f ms on the clock "
      "(slowest %6.2f ms), %4.0f k pixels repainted; history %.1f MB after %d moves\n",
      place == 100 ? "on top of" : "amid     ", (ThreadTime() - busy_from) * 1000 / kDragMoves,
      (Now() - from) * 1000 / kDragMoves, slowest_ms,
      static_cast<double>(repainted) / kDragMoves / 1000,
      static_cast<double>(d.history.Bytes()) / 1e6, kDragMoves);
}

// Undo and redo of a step that moved a 1000 x 1000 blur by (300, 200) on top of the 100 marks.
void UndoRedoOfMovingABlur() {
  Drawn d(100);
  Mark blur = bench::Made(MarkKind::Mosaic, {});
  blur.area = {1400, 600, 2400, 1600};
  blur.mosaic.kind = MosaicKind::Blur;
  blur.serial = ++d.serial;
  Document with_blur = d.history.Shown();
  with_blur.marks.push_back(std::make_shared<const Mark>(std::move(blur)));
  d.Show(with_blur);
  d.Show(bench::WithMarkMoved(d.history.Shown(), with_blur.marks.size() - 1, {300, 200}, d.serial));
  d.surface.TakeScreenChanges();
  constexpr int kRounds = 10;
  double undo_ms = 0, undo_busy_ms = 0, redo_ms = 0, redo_busy_ms = 0, slowest_ms = 0;
  for (int i = 0; i < kRounds; ++i) {
    for (const bool undo : {true, false}) {
      const double from = Now(), busy_from = ThreadTime();
      const int to = d.history.Current() + (undo ? -1 : 1);
      ShowDocument(d.history.At(to), d.history, d.surface);
      if (undo) {
        d.history.Undo();
      } else {
        d.history.Redo();
      }
      d.surface.TakeScreenChanges();
      const double ms = (Now() - from) * 1000, busy_ms = (ThreadTime() - busy_from) * 1000;
      slowest_ms = std::max(slowest_ms, ms);
      (undo ? undo_ms : redo_ms) += ms / kRounds;
      (undo ? undo_busy_ms : redo_busy_ms) += busy_ms / kRounds;
    }
  }
  std::printf(
      "undo of moving a 1000x1000 blur among 100 marks %5.2f ms (%5.2f ms processor), redo %5.2f "
      "ms (%5.2f ms processor), slowest %5.2f ms on the clock\n",
      undo_ms, undo_busy_ms, redo_ms, redo_busy_ms, slowest_ms);
}

void Bench() {
  DragAcrossHundredMarks(100);
  DragAcrossHundredMarks(50);
  UndoRedoOfMovingABlur();
  for (const bool up_left : {false, true}) {
    MosaicDrag("cells of 8", {MosaicKind::Cells, 8}, up_left);
    MosaicDrag("cells of 20", {MosaicKind::Cells, 20}, up_left);
    MosaicDrag("blur", {MosaicKind::Blur, 8, 4}, up_left);
  }

  for (const auto& [name, style] :
       {std::pair{"mosaic 300x200, cells of 12", MosaicStyle{MosaicKind::Cells, 12}},
        std::pair{"mosaic 300x200, blur", MosaicStyle{MosaicKind::Blur, 8, 4}}}) {
    // The binding is captured under a name of its own: clang 14 cannot capture a binding.
    BytesPerAnnotation(name, [&style = style](Surface& surface, History& history, PointF at) {
      capture::MosaicDrag drag(kSelection, style);
      const RectI area = MosaicArea(kSelection, at, {at.x + 300, at.y + 200});
      AddMark(history, surface, MosaicMark(drag, surface, history, area, style));
    });
  }
  BytesPerAnnotation("step, 26 px", [](Surface& surface, History& history, PointF at) {
    Mark step;
    step.kind = MarkKind::Step;
    step.points = {at};
    step.clip = kSelection;
    step.size = 26;
    step.colour = Rgb(255, 0, 0);
    AddMark(history, surface, step);
  });
}

}  // namespace
}  // namespace capture

int wmain() {
  capture::Bench();
  return 0;
}
