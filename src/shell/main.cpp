// The program's entry point: read the command line, then run one capture, stay resident in the
// notification area, or end the resident instance.
#include <windows.h>

#include <cstdlib>  // __argc, __wargv
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/quit_resident.h"
#include "app/recent_selections.h"
#include "app/version.h"
#include "form/capture_form.h"
#include "run/capture_run.h"
#include "run/run_error.h"
#include "shell/capture_window.h"
#include "shell/console_output.h"
#include "shell/cursors.h"
#include "shell/dpi_awareness.h"
#include "shell/gdiplus_flat.h"
#include "shell/message_loop.h"
#include "shell/pins.h"
#include "shell/resident_window.h"
#include "shell/script_run.h"
#include "shell/scroll_session.h"
#include "shell/settings_store.h"
#include "shell/single_instance.h"
#include "shell/startup_failure.h"
#include "shell/text.h"
#include "shell/win32_clipboard.h"
#include "shell/win32_dialogs.h"
#include "shell/win32_files.h"
#include "shell/win32_screen.h"
#include "shell/win32_surface.h"

namespace {

using namespace capture;
using namespace capture::win32;

// The pins stay out of the way while a capture shows the screen they were frozen with.
class PinsOutOfTheWay {
 public:
  explicit PinsOutOfTheWay(Pins& pins) : pins_(pins) { pins_.HideAll(); }
  ~PinsOutOfTheWay() { pins_.ShowAll(); }
  PinsOutOfTheWay(const PinsOutOfTheWay&) = delete;
  PinsOutOfTheWay& operator=(const PinsOutOfTheWay&) = delete;

 private:
  Pins& pins_;
};

// The rectangles moved by (dx, dy): between the system's coordinates and the window's.
std::vector<RectI> Shifted(const std::vector<RectI>& rects, int dx, int dy) {
  std::vector<RectI> out;
  out.reserve(rects.size());
  for (const RectI& r : rects)
    out.push_back({r.left + dx, r.top + dy, r.right + dx, r.bottom + dy});
  return out;
}

// One capture. `,` and `.` offer the earlier selections in `recent`; this one's joins them when the
// capture ends in a copy or a save, and the settings file keeps them.
int RunCapture(HINSTANCE instance, Cursors& cursors, Pins& pins, int delay_ms,
               SettingsStore& settings, RecentSelections& recent) {
  const RectI area = Win32Screen::Area();
  Win32Screen screen;
  Win32Surface surface(&screen);
  Win32Clipboard clipboard;
  Win32Dialogs dialogs;
  GdiplusFlat gdiplus;
  CaptureWindow window(surface, cursors);
  Win32Files files;
  CapturePinboard pinboard(pins, {area.left, area.top});
  ScrollSession scroller(instance, window, settings, {area.left, area.top});
  Platform platform{window,  surface, screen,   clipboard, dialogs,
                    gdiplus, files,   settings, &pinboard, &scroller};
  CaptureForm form(window, screen);
  CaptureRun run(form, platform);

  // The window exists but stays hidden while the screen is copied.
  if (!window.Create(instance, run, area)) {
    return ReportStartupFailure({static_cast<int>(::GetLastError()), u"无法创建截图窗口"});
  }
  run.state().selection.aim.RecallFrom(Shifted(recent.Items(), -area.left, -area.top));
  dialogs.BlockWhileModal(window.hwnd(), [&window] { window.Refresh(); });
  if (delay_ms > 0) ::Sleep(static_cast<DWORD>(delay_ms));
  try {
    run.Load();
  } catch (const StartupFailed& failed) {
    return ReportStartupFailure(failed.error());
  }
  const PinsOutOfTheWay hidden(pins);
  POINT pointer{};
  if (::GetCursorPos(&pointer)) {
    run.PointerAtStart(static_cast<float>(pointer.x - area.left),
                       static_cast<float>(pointer.y - area.top));
  }
  window.Show();
  const int status = window.Run();
  if (const std::optional<RectI>& taken = run.state().selection.aim.taken) {
    // Of a joined picture, the area that was scrolled is what a later capture can select again.
    const View& view = run.form().view();
    recent.Add(Shifted({view.Shown() ? view.source : *taken}, area.left, area.top).front());
    settings.RememberSelections(recent);
  }
  return status;
}

// Reports what escaped a start-up; the exit status that says it failed.
template <typename Work>
int Reported(Work&& work) noexcept {
  // Reactions report their own failures; what reaches here is a failure around them.
  try {
    return work();
  } catch (...) {
    return ReportStartupFailure(FailureOf(std::current_exception()));
  }
}

// One whole capture with objects of its own: when it returns, they and the picture are gone.
// Only the pointer shapes, made once per DPI, are kept for the next one.
int CaptureOnce(HINSTANCE instance, Cursors& cursors, Pins& pins, int delay_ms,
                SettingsStore& settings, RecentSelections& recent) noexcept {
  return Reported([instance, &cursors, &pins, delay_ms, &settings, &recent] {
    return RunCapture(instance, cursors, pins, delay_ms, settings, recent);
  });
}

// The message loop of a program that has nothing left but its pins, until the last is closed.
int RunWhilePinned(Pins& pins) {
  if (pins.empty()) return 0;
  pins.WhenEmpty([] { ::PostQuitMessage(0); });
  return RunMessageLoop();
}

// A plain run: one capture, and the pins it made after it.
int RunPlain(HINSTANCE instance, Cursors& cursors, int delay_ms, SettingsStore& settings) {
  Pins pins(instance, settings);
  RecentSelections recent = settings.Selections();
  const int status = RunCapture(instance, cursors, pins, delay_ms, settings, recent);
  return pins.empty() ? status : RunWhilePinned(pins);
}

// --pin-clipboard: handed to the resident instance when one runs, else pinned here, and the
// program lives until the pin is closed. Every failure is a line on stderr and status 1, never
// a message box: a script or a hotkey tool called it.
int PinClipboard(HINSTANCE instance) {
  SettingsStore settings(SettingsPath());
  Pins pins(instance, settings);
  ClipboardPin outcome = ClipboardPin::Failed;
  try {
    const std::optional<ClipboardPin> handed = HandPinToResident();
    outcome = handed ? *handed : pins.PinClipboard();
  } catch (...) {
    outcome = ClipboardPin::Failed;
  }
  switch (outcome) {
    case ClipboardPin::NoPicture:
      WriteStderr(L"capture: 剪贴板中没有图片\r\n");
      return kNotPinnedStatus;
    case ClipboardPin::Failed:
      WriteStderr(L"capture: 无法创建贴图窗口\r\n");
      return kNotPinnedStatus;
    case ClipboardPin::Pinned:
      break;
  }
  return RunWhilePinned(pins);
}

int RunResident(HINSTANCE instance, Cursors& cursors) {
  const ResidentLock lock;
  if (!lock.held()) return 0;  // one is running already: that is what was asked for
  SettingsStore settings(SettingsPath());
  Pins pins(instance, settings);
  // The resident program's own: they outlive each capture, not the program.
  RecentSelections recent = settings.Selections();
  ResidentWindow resident(settings, pins,
                          [instance, &cursors, &pins, &settings, &recent](int delay_ms) {
                            CaptureOnce(instance, cursors, pins, delay_ms, settings, recent);
                          });
  if (!resident.Create(instance)) {
    return ReportStartupFailure({static_cast<int>(::GetLastError()), u"无法创建通知区域图标"});
  }
  return resident.Run();
}

// The arguments after the program's name, as the C runtime split them.
std::vector<std::u16string> Arguments() {
  std::vector<std::u16string> arguments;
  for (int i = 1; i < __argc && __wargv; ++i) arguments.push_back(Utf16(__wargv[i]));
  return arguments;
}

int Main(HINSTANCE instance) {
  const ParsedCommand parsed = ParseArguments(Arguments());
  if (!parsed.error.empty()) {
    WriteStderr(L"capture: " + Wide(parsed.error) + L"\r\n" + Wide(kUsage) + L"\r\n");
    return kUsageStatus;
  }
  const Command& command = parsed.command;
  if (command.mode == Mode::PrintVersion) {
    WriteStdout(Wide(VersionLine()) + L"\r\n");
    return 0;
  }
  if (command.mode == Mode::QuitResident) {
    Win32ResidentInstance resident;
    const QuitOutcome outcome = QuitResident(resident);
    if (!outcome.error.empty()) WriteStderr(Wide(outcome.error) + L"\r\n");
    return outcome.status;
  }
  // Before any window or device context exists, so that every size is in physical pixels.
  EnablePerMonitorDpiAwareness();
  if (command.mode == Mode::Script) return RunScript(command);
  if (command.mode == Mode::PinClipboard) return PinClipboard(instance);
  Cursors cursors;
  if (command.mode == Mode::Resident) return RunResident(instance, cursors);
  SettingsStore settings(SettingsPath());
  for (const std::u16string& problem : settings.problems()) {
    WriteStderr(L"capture: " + Wide(problem) + L"\r\n");
  }
  return RunPlain(instance, cursors, command.delay_ms, settings);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before any delay-loaded library: system libraries come from System32 only, never from a file
  // of the same name beside the program (gdiplus.dll is not one the system protects).
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  return Reported([instance] { return Main(instance); });
}
