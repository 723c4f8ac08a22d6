// What the command line asks the program to do.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace capture {

enum class Mode {
  Capture,       // no argument (or only --delay): one capture, then the program ends
  Resident,      // --tray: stay in the notification area, capture on Print Screen
  QuitResident,  // --quit: end the resident instance, if there is one
  PrintVersion,  // --version: print "capture <version>" and end
  Script,        // --full, --region or --window: grab without a window and write the picture
  PinClipboard,  // --pin-clipboard: the clipboard's picture as a pin (by the resident instance)
};

// What a run for a script grabs.
enum class Grab {
  Full,    // the virtual screen, or one monitor
  Region,  // a rectangle in virtual-screen pixels
  Window,  // the foreground window's visible bounds
};

struct ScriptRequest {
  Grab grab = Grab::Full;
  int monitor = 0;                          // --full --monitor N: 1-based; 0 is every monitor
  int x = 0, y = 0, width = 0, height = 0;  // --region, in the system's screen coordinates
  std::optional<std::u16string> out;        // --out: a path, or "-" for standard output
  bool clipboard = false;                   // --clipboard
  bool scroll = false;  // --scroll: the area's window scrolled to its end, the frames joined
};

struct Command {
  Mode mode = Mode::Capture;
  int delay_ms = 0;  // --delay: waited before the screen is read
  ScriptRequest script;
};

// The command, or why the arguments make no sense: `error` names the bad value and is empty when
// the command is good.
struct ParsedCommand {
  Command command;
  std::u16string error;
};

// Reads the arguments (the program's name left out). Switches are "--name" or "/name", in any
// letter case, as Windows programs take them; the argument after a switch that takes a value is
// that value, whatever it looks like (a negative number, a path starting with "/").
ParsedCommand ParseArguments(const std::vector<std::u16string>& arguments);

// A whole number in decimal, optionally negative, within ±1,000,000 (far beyond any screen, small
// enough that sums of two never overflow); nothing for any other text.
std::optional<int> WholeNumber(std::u16string_view text);

// The usage written to stderr after the reason when the arguments make no sense, and the exit
// status then.
inline constexpr char16_t kUsage[] =
    u"usage: capture [--delay SECONDS] | --tray | --quit | --version | --pin-clipboard\r\n"
    u"       capture --full [--monitor N] | --region X,Y,W,H | --window  [--delay SECONDS] "
    u"[--out PATH | --out - | --clipboard]...\r\n"
    u"       capture --region X,Y,W,H | --window  --scroll  [--delay SECONDS] "
    u"[--out PATH | --out - | --clipboard]...";
inline constexpr int kUsageStatus = 2;
// The exit statuses of a run for a script: the screen could not be read; the file or the
// clipboard could not be written.
inline constexpr int kScreenUnreadableStatus = 3;
inline constexpr int kNotWrittenStatus = 4;
// --scroll: a seam could not be joined; the picture so far was written.
inline constexpr int kStoppedEarlyStatus = 5;
// --pin-clipboard: the clipboard holds no picture, or its pin could not be made.
inline constexpr int kNotPinnedStatus = 1;

// The command that starts the program resident, for the system to run at sign-in: the program's
// full path in quotes (it may hold spaces) and --tray.
std::u16string ResidentCommand(const std::u16string& program_path);

}  // namespace capture
