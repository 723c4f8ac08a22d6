// The mosaic and the numbered steps on the Windows drawing surface at 3840 x 2160: the time of one
// preview move and of one commit of a 1000 x 1000 mosaic, in cells and blurred, and what the
// history holds per annotation of each tool.
#include <windows.h>

#include <cstdio>

#include "annotate/mosaic.h"
#include "annotate/step_disc.h"
#include "form/history.h"
#include "platform/fake/fake_platform.h"
#include "shell/win32_surface.h"

namespace capture {
namespace {

constexpr int kWidth = 3840, kHeight = 2160, kMoves = 60, kCommits = 10, kAnnotations = 50;
constexpr RectI kSelection{100, 100, 3740, 2060};

double Now() {
  LARGE_INTEGER count, frequency;
  ::QueryPerformanceCounter(&count);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The seconds of processor time this thread has used: on a machine that others load, closer to
// what the work costs than the time on the clock.
double Busy() {
  FILETIME created, ended, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           1e7;
  };
  return seconds(kernel) + seconds(user);
}

// A desktop-like screen frozen into the surface, and its first snapshot.
void Start(win32::Win32Surface& surface, History& history) {
  fake::FakeScreen screen(fake::DesktopPicture(kWidth, kHeight));
  surface.Freeze(screen);
  history.Start(surface);
}

// One move of a drag that grows a 1000 x 1000 rectangle by a pixel or two each time, then its
// release: the effect drawn into the picture and the snapshot pushed.
void MosaicDrag(const char* name, const MosaicStyle& style) {
  win32::Win32Surface surface;
  History history;
  Start(surface, history);
  const PointF start{1000, 600};
  const auto end = [](int i) { return PointF{2000.f + static_cast<float>(i % 3), 1600}; };

  surface.Preview();
  const double moves_from = Now(), moves_busy_from = Busy();
  for (int i = 0; i < kMoves; ++i) {
    surface.Preview();
    DrawMosaic(surface, kSelection, MosaicArea(kSelection, start, end(i)), style);
    surface.TakeScreenChanges();
  }
  const double per_move_ms = (Now() - moves_from) * 1000 / kMoves;
  const double per_move_busy_ms = (Busy() - moves_busy_from) * 1000 / kMoves;

  // Each commit is undone before the next, so each draws on the same picture.
  double commit_ms = 0, commit_busy_ms = 0;
  for (int i = 0; i < kCommits; ++i) {
    const double commit_from = Now(), commit_busy_from = Busy();
    surface.EndPreview();
    DrawMosaic(surface, kSelection, MosaicArea(kSelection, start, end(i)), style);
    history.Push(surface);
    surface.TakeScreenChanges();
    commit_ms += (Now() - commit_from) * 1000 / kCommits;
    commit_busy_ms += (Busy() - commit_busy_from) * 1000 / kCommits;
    history.Undo(surface);
  }
  std::printf(
      "mosaic %-12s 1000x1000: preview %6.2f ms/move (%6.2f ms processor), commit %6.2f ms "
      "(%6.2f ms processor)\n",
      name, per_move_ms, per_move_busy_ms, commit_ms, commit_busy_ms);
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

void Bench() {
  MosaicDrag("cells of 8", {MosaicKind::Cells, 8});
  MosaicDrag("cells of 20", {MosaicKind::Cells, 20});
  MosaicDrag("blur", {MosaicKind::Blur, 8, 4});

  for (const auto& [name, style] :
       {std::pair{"mosaic 300x200, cells of 12", MosaicStyle{MosaicKind::Cells, 12}},
        std::pair{"mosaic 300x200, blur", MosaicStyle{MosaicKind::Blur, 8, 4}}}) {
    // The binding is captured under a name of its own: clang 14 cannot capture a binding.
    BytesPerAnnotation(name, [&style = style](Surface& surface, History& history, PointF at) {
      DrawMosaic(surface, kSelection, MosaicArea(kSelection, at, {at.x + 300, at.y + 200}), style);
      history.Push(surface);
    });
  }
  BytesPerAnnotation("step, 26 px", [](Surface& surface, History& history, PointF at) {
    DrawStep(surface, kSelection, at, history.StepsShown() + 1, Rgb(255, 0, 0), 26, 96);
    history.Push(surface, 1);
  });
}

}  // namespace
}  // namespace capture

int wmain() {
  capture::Bench();
  return 0;
}
