// What the command line asks the program to do.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace capture {

enum class Mode {
  Capture,       // no argument: one capture, then the program ends
  Resident,      // --tray: stay in the notification area, capture on Print Screen
  QuitResident,  // --quit: end the resident instance, if there is one
  PrintVersion,  // --version: print "capture <version>" and end
};

// The mode the arguments (the program's name left out) ask for; nothing when they make no sense.
// Switches are "--name" or "/name", in any letter case, as Windows programs take them.
std::optional<Mode> ParseArguments(const std::vector<std::u16string>& arguments);

// The one line written to stderr when the arguments make no sense, and the exit status then.
inline constexpr char16_t kUsage[] = u"usage: capture [--tray | --quit | --version]";
inline constexpr int kUsageStatus = 2;

// The command that starts the program resident, for the system to run at sign-in: the program's
// full path in quotes (it may hold spaces) and --tray.
std::u16string ResidentCommand(const std::u16string& program_path);

}  // namespace capture
