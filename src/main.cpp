// The program's entry point: build the platform, load the capture window and run its messages.
#include <windows.h>

#include "capture/capture_form.h"
#include "platform/win32/capture_window.h"
#include "platform/win32/gdiplus_flat.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_surface.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
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

  // The window exists but stays hidden while the screen is copied.
  if (!window.Create(instance, form, screen.Size())) return 1;
  dialogs.BlockWhileModal(window.hwnd(), [&window] { window.Refresh(); });
  form.Load();
  window.Show();
  return window.Run();
}
