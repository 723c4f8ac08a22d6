// The magnifier on a 3840 x 2160 screen, in the real capture window: per pointer move, the wall
// time from the move to the screen showing it (the core's reaction, the repaint of the capture
// window and the magnifier's own window), and the capture window's area repainted. Aiming and a
// selection drag, each with the magnifier in its own window as the program shows it, and painted by
// the capture window instead, for comparison. Last, whether the system asks a window under the
// magnifier's to repaint as it moves away (not where the system keeps each window's pixels, as
// Windows' desktop window manager does).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "clock.h"
#include "form/capture_form.h"
#include "form/repaint.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"
#include "shell/capture_window.h"

namespace capture {
namespace {

using bench::Now;
using bench::ProcessorTime;

constexpr int kWidth = 3840, kHeight = 2160, kMoves = 400;

void RunPending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

// The real window and surface over a fake screen, clipboard and dialogs, as the adapter tests
// have them.
struct Capture {
  Capture() : screen(fake::NoisePicture(kWidth, kHeight)) {}
  bool Start(bool own_window) {
    if (!window.Create(::GetModuleHandleW(nullptr), run, {0, 0, kWidth, kHeight})) return false;
    run.Load();
    form[ControlId::Magnifier].own_window = own_window;
    window.Show();
    run.MouseMove(0, 1, 1);
    window.Refresh();
    return true;
  }
  // One move and what the window does for it before the next; the seconds it took.
  double Move(int buttons, float x, float y, long long& repainted) {
    const Controls before = form.controls;
    const double start = Now();
    run.MouseMove(buttons, x, y);
    window.Refresh();
    const double took = Now() - start;
    repainted += fake::TotalArea(ChangedAreas(before, form.controls));
    RunPending();
    return took;
  }

  fake::FakeScreen screen;
  fake::FakeClipboard clipboard;
  fake::FakeDialogs dialogs;
  fake::FakeGdiplus gdiplus;
  fake::FakeSaveMemory saving;
  win32::Win32Surface surface;
  win32::Cursors cursors;
  win32::CaptureWindow window{surface, cursors};
  Platform platform{window, surface, screen, clipboard, dialogs, gdiplus, gdiplus, saving};
  CaptureForm form{window, screen};
  CaptureRun run{form, platform};
};

struct Figures {
  double ms_per_move = 0;      // wall time
  double cpu_ms_per_move = 0;  // this process's processor time, pending messages included
  long long repainted_per_move = 0;
};

Figures Moves(bool drag, bool own_window) {
  Capture capture;
  if (!capture.Start(own_window)) return {};
  if (drag) capture.run.MouseDown(button::kLeft, 200, 200);
  const int buttons = drag ? button::kLeft : 0;
  double seconds = 0;
  long long repainted = 0;
  const double cpu = ProcessorTime();
  for (int i = 0; i < kMoves; ++i) {
    const auto step = static_cast<float>(i % 200);
    seconds += capture.Move(buttons, 1500 + step, 900 + step / 2, repainted);
  }
  return {seconds * 1000 / kMoves, (ProcessorTime() - cpu) * 1000 / kMoves, repainted / kMoves};
}

// Rounds of each way taken in turn, so that a busy moment of the machine spreads over all of them;
// the median and the range of the rounds.
void Compare(const char* what, bool drag) {
  constexpr int kRounds = 5;
  std::vector<double> own, shared, own_cpu, shared_cpu;
  long long own_area = 0, shared_area = 0;
  for (int round = 0; round < kRounds; ++round) {
    const Figures a = Moves(drag, true), b = Moves(drag, false);
    own.push_back(a.ms_per_move);
    shared.push_back(b.ms_per_move);
    own_cpu.push_back(a.cpu_ms_per_move);
    shared_cpu.push_back(b.cpu_ms_per_move);
    own_area = a.repainted_per_move;
    shared_area = b.repainted_per_move;
  }
  for (auto* times : {&own, &shared, &own_cpu, &shared_cpu}) {
    std::sort(times->begin(), times->end());
  }
  const auto print = [&](const char* where, const std::vector<double>& wall,
                         const std::vector<double>& processor, long long area) {
    std::printf(
        "%-8s magnifier %-22s %6.3f ms/move wall (%.3f-%.3f), %6.3f ms processor "
        "(%.3f-%.3f)  %6lld px of the capture window/move\n",
        what, where, wall[kRounds / 2], wall.front(), wall.back(), processor[kRounds / 2],
        processor.front(), processor.back(), area);
  };
  print("in its own window", own, own_cpu, own_area);
  print("in the capture window", shared, shared_cpu, shared_area);
}

// A plain window over the screen under the magnifier's, which counts into `exposed` the pixels
// the system asks it to repaint.
LRESULT CALLBACK Beneath(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  PAINTSTRUCT paint;
  ::BeginPaint(hwnd, &paint);
  const RECT& r = paint.rcPaint;
  auto* exposed = reinterpret_cast<long long*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (exposed) *exposed += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
  ::EndPaint(hwnd, &paint);
  return 0;
}

void Exposed() {
  long long exposed = 0;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Beneath;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Beneath";
  ::RegisterClassExW(&wc);
  win32::OwnedWindow beneath(::CreateWindowExW(0, L"Beneath", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                               kWidth, kHeight, nullptr, nullptr, wc.hInstance,
                                               &exposed));
  fake::FakePlatform fake(fake::NoisePicture(kWidth, kHeight));
  CaptureForm form(fake.window, fake.screen);
  CaptureRun run(form, fake.platform);
  run.Load();
  win32::MagnifierWindow magnifier;
  if (!beneath || !magnifier.Create(::GetModuleHandleW(nullptr), beneath.get())) return;
  run.MouseMove(0, 1, 1);
  run.MouseMove(0, 2, 2);
  magnifier.Mirror(form.controls, {0, 0});
  ::Sleep(200);
  RunPending();
  exposed = 0;
  for (int i = 0; i < kMoves; ++i) {
    const auto step = static_cast<float>(i % 200);
    run.MouseMove(0, 1500 + step, 900 + step / 2);
    magnifier.Mirror(form.controls, {0, 0});
    RunPending();
  }
  ::Sleep(200);
  RunPending();
  std::printf("a window under the magnifier's: %lld px/move the system asks it to repaint\n",
              exposed / kMoves);
}

}  // namespace
}  // namespace capture

int wmain() {
  capture::Compare("aiming", false);
  capture::Compare("drawing", true);
  capture::Exposed();
  return 0;
}
