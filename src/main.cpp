// The program's entry point: build the platform, load the capture window and run its messages.
#include <windows.h>

#include <exception>
#include <new>

#include "form/capture_form.h"
#include "platform/win32/capture_window.h"
#include "platform/win32/gdiplus_flat.h"
#include "platform/win32/startup_failure.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_surface.h"
#include "run/capture_run.h"
#include "run/run_error.h"

namespace {

int RunCapture(HINSTANCE instance) {
  using namespace capture;
  using namespace capture::win32;

  // Before any window or device context exists, so that every size is in physical pixels.
  EnablePerMonitorDpiAwareness();

  Win32Surface surface;
  Win32Screen screen;
  Win32Clipboard clipboard;
  Win32Dialogs dialogs;
  GdiplusFlat gdiplus;
  CaptureWindow window(surface);
  Platform platform{window, surface, screen, clipboard, dialogs, gdiplus};
  CaptureForm form(platform);
  CaptureRun run(form);

  // The window exists but stays hidden while the screen is copied.
  if (!window.Create(instance, run, Win32Screen::Area())) {
    return ReportStartupFailure({static_cast<int>(::GetLastError()), u"无法创建截图窗口"});
  }
  dialogs.BlockWhileModal(window.hwnd(), [&window] { window.Refresh(); });
  try {
    run.Load();
  } catch (const StartupFailed& failed) {
    return ReportStartupFailure(failed.error());
  }
  window.Show();
  return window.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Reactions report their own failures; what reaches here is a failure around them.
  try {
    return RunCapture(instance);
  } catch (const std::bad_alloc&) {
    return capture::win32::ReportStartupFailure(capture::OutOfMemoryError());
  } catch (const std::exception& e) {
    return capture::win32::ReportStartupFailure(capture::InternalError(e.what()));
  } catch (...) {
    return capture::win32::ReportStartupFailure(capture::InternalError(nullptr));
  }
}
