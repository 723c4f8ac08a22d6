// The small services the capture window asks of the system. The core calls only these; win32/
// implements them on Windows and fake/ in memory for tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/picture_rows.h"
#include "platform/save_memory.h"
#include "platform/surface.h"
#include "platform/types.h"

namespace capture {

class Gdiplus;   // platform/gdiplus.h
class Pinboard;  // platform/pinboard.h
class Scroller;  // platform/scroller.h

// One monitor of the desktop. The capture window covers the whole virtual screen, so its area is
// in window coordinates: (0,0) is the virtual screen's top-left, whatever the monitor's own
// coordinates (a monitor left of the primary has negative ones).
struct Monitor {
  RectI area;
  int dpi = 96;  // its effective DPI: 96 is 100 %, 192 is 200 %
  friend bool operator==(const Monitor&, const Monitor&) = default;
};

// A window or a control on the desktop as it was at the freeze, in window coordinates: what it
// shows of itself (a top-level window's visible frame), whatever lies over it.
struct DesktopElement {
  RectI area;
  int parent =
      -1;  // the index of the element that holds it in the same list; -1: a top-level window
  friend bool operator==(const DesktopElement&, const DesktopElement&) = default;
};

class Screen {
 public:
  virtual ~Screen() = default;
  // The whole virtual screen (every monitor) in physical pixels, 1:1, at this moment, its
  // top-left at (0,0); an empty picture when the screen could not be read (never a black one).
  virtual Picture Grab() = 0;
  // The virtual screen's size in physical pixels.
  virtual SizeI Size() const = 0;
  // Every monitor, the primary first; never empty.
  virtual std::vector<Monitor> Monitors() const = 0;
  // The visible top-level windows of other programs, topmost first, each followed by its visible
  // child windows to a bounded depth (each parent before its children, siblings topmost first).
  // Cloaked, minimised, empty and fully transparent windows are left out.
  virtual std::vector<DesktopElement> Elements() const = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard and puts the picture on it as a display-compatible bitmap (CF_BITMAP),
  // once the bitmap is ready; a picture without pixels is nothing to copy and leaves the clipboard
  // as it was. False when the bitmap could not be made (the clipboard is untouched then), or the
  // clipboard could not be opened or did not take it.
  virtual bool PutBitmap(const Picture& picture) = 0;
  // The same for a picture read row by row (a tall one); this one gathers the rows, a clipboard
  // that can fill its bitmap a band at a time does so without the whole copy.
  virtual bool PutBitmap(const PictureRows& rows) {
    const Picture* whole = rows.Whole();
    return PutBitmap(whole != nullptr ? *whole : GatherRows(rows));
  }
  // Empties the clipboard if it still holds exactly what the last successful PutBitmap put there
  // (nothing has been put on it since, by any program); false when it holds something else or
  // could not be opened.
  virtual bool EmptyIfStillOurs() = 0;
  // True when the clipboard still holds exactly what the last successful PutBitmap put there, by
  // the same test as EmptyIfStillOurs; false when it holds something else or could not be opened.
  virtual bool StillOurs() = 0;
  // Empties the clipboard and puts the text on it (CF_UNICODETEXT); false when the clipboard could
  // not be opened or did not take it (it is left as it was then).
  virtual bool PutText(std::u16string_view text) = 0;
};

// The save dialog's request; strings are UTF-16. `filter` holds description/pattern pairs, each
// followed by a NUL, with a second NUL at the end.
struct SaveDialogRequest {
  std::u16string title;
  std::u16string filter;
  int filter_index = 1;
  std::u16string initial_dir;
  std::u16string default_ext;
  std::u16string file;  // the name field's start text
  unsigned flags = 0;
  std::size_t max_path = 0;  // characters the path buffer holds, NUL included
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows the modal save dialog; the chosen path, or nothing when it was cancelled or failed.
  virtual std::optional<std::u16string> AskSavePath(const SaveDialogRequest& request) = 0;
  // Shows a modal message box with an information icon and returns when it is closed.
  virtual void ShowMessage(const std::u16string& title, const std::u16string& text) = 0;
  // The folder that holds the program's own executable, without a trailing separator unless it
  // is a drive's root ("D:\").
  virtual std::u16string ProgramFolder() = 0;
};

// The capture window itself as the system sees it.
class Window {
 public:
  virtual ~Window() = default;
  // Sets the application-wide pointer override.
  virtual void SetPointer(Pointer pointer) = 0;
  // Closes the capture window; no reaction runs after the one that called this returns.
  virtual void Close() = 0;
  // Lets pending window messages run now (repaints first), inside the current reaction, for a copy
  // or a save in progress: pending pointer and key input is dropped, not handled.
  virtual void PumpEvents() = 0;
  // Blocks the thread for the given milliseconds.
  virtual void Sleep(int milliseconds) = 0;
  // Gives the keyboard focus to the text tool's native text box.
  virtual void FocusTextBox() = 0;
  // True while the font-size list is dropped down (CB_GETDROPPEDSTATE).
  virtual bool FontSizeListDropped() = 0;
  // Drops the font-size list down or closes it (CB_SHOWDROPDOWN).
  virtual void ShowFontSizeList(bool show) = 0;
  // The system's drag distance (SM_CXDRAG, SM_CYDRAG): a press and a release no further apart
  // than half of it on each axis are a click.
  virtual SizeI DragDistance() = 0;
  // Puts the pointer at a point of the form (the picture's point, moved by a view the window
  // shows); the move comes back as a pointer move on the window.
  virtual void MovePointer(PointI point) = 0;
  // Asks for one timer event (CaptureRun::TimerElapsed) after about the given milliseconds; a
  // second request before it comes replaces the first. None comes once the window is closed.
  virtual void StartTimer(int milliseconds) = 0;
};

// Everything the core may use, gathered so one reference can be handed around. Not owned.
struct Platform {
  Window& window;
  Surface& surface;
  Screen& screen;
  Clipboard& clipboard;
  Dialogs& dialogs;
  Gdiplus& gdiplus;
  Files& files;
  SaveMemory& saving;
  // Where 钉在桌面 puts the selection; none in a run that shows no window.
  Pinboard* pinboard = nullptr;
  // Where 长截图 scrolls and joins the live screen; none in a run that shows no window.
  Scroller* scroller = nullptr;
};

}  // namespace capture
