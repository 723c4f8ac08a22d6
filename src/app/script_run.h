// A run for a script: what is grabbed, where the picture goes (the file --out names, standard
// output, the clipboard, or a quick save whose path is printed), and the exit status and the lines
// on stderr that say how it went. Nothing is shown and nothing is asked.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "platform/platform.h"

namespace capture {

// What --scroll brought back.
struct ScrolledArea {
  // The frames joined, read row by row (no whole copy of a tall picture); none when no frame
  // could be read.
  std::unique_ptr<const PictureRows> picture;
  bool unreadable = false;  // the screen could not be read after a notch
  // The content stopped moving while the window's scroll bar said there was more below: it takes
  // neither the wheel nor WM_VSCROLL from us.
  bool would_not_scroll = false;
  std::optional<std::u16string> refusal;  // why a seam could not be joined, when one could not
};

// What a run for a script asks of the program around it: the process's streams and the scroll.
class ScriptShell {
 public:
  virtual ~ScriptShell() = default;
  // Writes the text and a line end to standard output.
  virtual void PrintLine(const std::u16string& text) = 0;
  // Writes "capture: ", the text and a line end to standard error.
  virtual void PrintProblem(const std::u16string& text) = 0;
  // A path in the temporary folder that no other run uses, for the PNG on its way to standard
  // output; empty when the system names no temporary folder.
  virtual std::u16string StdoutFilePath() = 0;
  // Writes the whole file's bytes to standard output as they are; false when the file could not
  // be read whole or is empty, or standard output refused the bytes.
  virtual bool SendFileToStdout(const std::u16string& path) = 0;
  // The window under `area` (the system's screen coordinates) scrolled to its end, its frames
  // joined, up to the settings' largest height.
  virtual ScrolledArea Scroll(const RectI& area) = 0;
};

// The desktop as the shell read it when the run began.
struct ScriptDesktop {
  PointI origin;     // the virtual screen's top-left in the system's coordinates
  RectI foreground;  // the foreground window's visible bounds (its client area with --scroll)
};

// The platform's services a run for a script writes through; not owned. The run brings its own
// dialogs, which put a save's failure on stderr, and no pinboard.
struct ScriptServices {
  Window& window;    // shows nothing: a save's wait pointer goes nowhere
  Surface& surface;  // drawn on by nothing here; a Platform holds one
  Screen& screen;
  Clipboard& clipboard;
  Gdiplus& gdiplus;
  Files& files;
  SaveMemory& saving;
};

// Grabs the request's area and delivers it; the exit status: 0, kUsageStatus (the area is empty or
// names no monitor), kScreenUnreadableStatus, kNotWrittenStatus, or with --scroll
// kStoppedEarlyStatus. Each failure is said on stderr. A picture that could be grabbed is
// delivered to every destination even when one of them fails; the status is then
// kNotWrittenStatus, else the scroll's.
int RunScript(const ScriptRequest& request, const ScriptDesktop& desktop,
              const ScriptServices& services, ScriptShell& shell);

}  // namespace capture
