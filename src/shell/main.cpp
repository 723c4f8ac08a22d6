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
#include "app/version.h"
#include "form/capture_form.h"
#include "run/capture_run.h"
#include "run/run_error.h"
#include "shell/capture_window.h"
#include "shell/console_output.h"
#include "shell/cursors.h"
#include "shell/gdiplus_flat.h"
#include "shell/resident_window.h"
#include "shell/script_run.h"
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

int RunCapture(HINSTANCE instance, Cursors& cursors, int delay_ms) {
  Win32Screen screen;
  Win32Surface surface(&screen);
  Win32Clipboard clipboard;
  Win32Dialogs dialogs;
  GdiplusFlat gdiplus;
  CaptureWindow window(surface, cursors);
  Win32Files files;
  Platform platform{window, surface, screen, clipboard, dialogs, gdiplus, files};
  CaptureForm form(window, screen);
  CaptureRun run(form, platform);

  // The window exists but stays hidden while the screen is copied.
  if (!window.Create(instance, run, Win32Screen::Area())) {
    return ReportStartupFailure({static_cast<int>(::GetLastError()), u"无法创建截图窗口"});
  }
  dialogs.BlockWhileModal(window.hwnd(), [&window] { window.Refresh(); });
  if (delay_ms > 0) ::Sleep(static_cast<DWORD>(delay_ms));
  try {
    run.Load();
  } catch (const StartupFailed& failed) {
    return ReportStartupFailure(failed.error());
  }
  window.Show();
  return window.Run();
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
int CaptureOnce(HINSTANCE instance, Cursors& cursors, int delay_ms) noexcept {
  return Reported(
      [instance, &cursors, delay_ms] { return RunCapture(instance, cursors, delay_ms); });
}

int RunResident(HINSTANCE instance, Cursors& cursors) {
  const ResidentLock lock;
  if (!lock.held()) return 0;  // one is running already: that is what was asked for
  ResidentWindow resident(
      [instance, &cursors](int delay_ms) { CaptureOnce(instance, cursors, delay_ms); });
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
  Cursors cursors;
  if (command.mode == Mode::Resident) return RunResident(instance, cursors);
  return RunCapture(instance, cursors, command.delay_ms);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before any delay-loaded library: system libraries come from System32 only, never from a file
  // of the same name beside the program (gdiplus.dll is not one the system protects).
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  return Reported([instance] { return Main(instance); });
}
