// The drawing surface on a 3840 x 2160 screen: the time and repainted area of one preview move
// of each shape, for a small and a large shape; and the memory that 100 annotations cost.
#include <windows.h>
// psapi.h needs the types of windows.h first.
#include <psapi.h>

#include <cstdio>
#include <functional>

#include "annotate/shape_tools.h"
#include "clock.h"
#include "form/capture_form.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"
#include "shell/win32_surface.h"

namespace capture {
namespace {

using bench::Now;

constexpr int kWidth = 3840, kHeight = 2160, kMoves = 300;

constexpr double kMiB = 1024.0 * 1024.0;

// The process's working set now, in MiB.
double Resident() {
  PROCESS_MEMORY_COUNTERS memory{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  return static_cast<double>(memory.WorkingSetSize) / kMiB;
}

using Shape = std::function<void(win32::Win32Surface&, float, float, float, float)>;

// Mirrors one preview move: clear the previous preview, draw the new one, collect the areas the
// window would repaint.
void PreviewMoves(const char* name, const Shape& shape, float width, float height) {
  win32::Win32Surface surface;
  surface.SetPicture(fake::NoisePicture(kWidth, kHeight));
  surface.TakeScreenChanges();
  surface.SetPersistent(false);

  long long area = 0;
  const double start = Now();
  for (int i = 0; i < kMoves; ++i) {
    const float x = 1000, y = 800, jiggle = static_cast<float>(i % 7);
    surface.Clear();
    shape(surface, x, y, x + width + jiggle, y + height + jiggle);
    const win32::DirtyRects changes = surface.TakeScreenChanges();
    for (const RectI& r : changes.Rects()) {
      area += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
    }
  }
  const double per_move_ms = (Now() - start) * 1000 / kMoves;
  std::printf("preview %-8s %5.0fx%-5.0f %8.3f ms/move %10lld px repainted/move\n", name, width,
              height, per_move_ms, area / kMoves);
}

void AnnotationMemory() {
  fake::FakeWindow window;
  win32::Win32Surface surface;
  fake::FakeScreen screen(fake::NoisePicture(kWidth, kHeight));
  fake::FakeClipboard clipboard;
  fake::FakeDialogs dialogs;
  fake::FakeGdiplus gdiplus;
  fake::FakeSaveMemory saving;
  Platform platform{window, surface, screen, clipboard, dialogs, gdiplus, gdiplus, saving};
  CaptureForm form(window, screen);
  CaptureRun run(form, platform);
  run.Load();
  const std::size_t store_at_start = form.history.Bytes();
  const double resident_at_start = Resident();
  run.MouseDown(button::kLeft, 100, 100);
  run.MouseMove(button::kLeft, 3700, 2000);
  run.MouseUp(button::kLeft, 3700, 2000);
  const PointF tool = form.controls.Origin(ButtonId(ToolbarButton::Rectangle));
  run.MouseDown(button::kLeft, tool.x + 8, tool.y + 8);
  run.MouseUp(button::kLeft, tool.x + 8, tool.y + 8);

  const double start = Now();
  for (int i = 0; i < 100; ++i) {
    const int column = i % 10, row = i / 10;
    const float x = 400 + static_cast<float>(column) * 320, y = 200 + static_cast<float>(row) * 170;
    run.MouseDown(button::kLeft, x, y);
    run.MouseMove(button::kLeft, x + 300, y + 150);
    run.MouseUp(button::kLeft, x + 300, y + 150);
  }
  const double per_annotation_ms = (Now() - start) * 1000 / 100;
  PROCESS_MEMORY_COUNTERS memory{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  std::printf(
      "100 rectangles 300x150: documents %d, history %.1f MB (%.1f MB at start-up, %.0f KB per "
      "annotate), %.2f ms per annotate; full-screen buffers in the surface %d; working set "
      "%.0f MiB at start-up, %.0f MiB after (+%.0f MiB), peak %.0f MiB\n",
      form.history.Current(), static_cast<double>(form.history.Bytes()) / 1e6,
      static_cast<double>(store_at_start) / 1e6,
      static_cast<double>(form.history.Bytes() - store_at_start) / 100 / 1e3, per_annotation_ms,
      surface.FullBuffers(), resident_at_start, Resident(), Resident() - resident_at_start,
      static_cast<double>(memory.PeakWorkingSetSize) / kMiB);
}

}  // namespace
}  // namespace capture

int wmain() {
  using capture::win32::Win32Surface;
  const capture::Colour blue = capture::Rgb(0, 0, 255);
  const capture::Shape box = [&](Win32Surface& s, float x1, float y1, float x2, float y2) {
    s.Box(x1, y1, x2, y2, blue);
  };
  const capture::Shape ellipse = [&](Win32Surface& s, float x1, float y1, float x2, float y2) {
    s.Ellipse(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
              static_cast<int>(y2), blue);
  };
  const capture::Shape arrow = [&](Win32Surface& s, float x1, float y1, float x2, float y2) {
    capture::Arrow(s, x1, y1, x2, y2, 10, blue);
  };
  // Memory first, while the process holds nothing else.
  capture::AnnotationMemory();
  for (const auto& [w, h] : {std::pair{300.f, 200.f}, {1500.f, 1000.f}}) {
    capture::PreviewMoves("rectangle", box, w, h);
    capture::PreviewMoves("ellipse", ellipse, w, h);
    capture::PreviewMoves("arrow", arrow, w, h);
  }
  return 0;
}
