#include "app/command_line.h"

namespace capture {
namespace {

// The switch's name in lower case, or nothing when the argument is no switch.
std::optional<std::u16string> SwitchName(const std::u16string& argument) {
  std::u16string name;
  if (argument.starts_with(u"--")) {
    name = argument.substr(2);
  } else if (argument.starts_with(u"/")) {
    name = argument.substr(1);
  } else {
    return std::nullopt;
  }
  for (char16_t& c : name) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return name;
}

}  // namespace

std::optional<Mode> ParseArguments(const std::vector<std::u16string>& arguments) {
  if (arguments.empty()) return Mode::Capture;
  if (arguments.size() > 1) return std::nullopt;
  const std::optional<std::u16string> name = SwitchName(arguments.front());
  if (name == u"tray") return Mode::Resident;
  if (name == u"quit") return Mode::QuitResident;
  if (name == u"version") return Mode::PrintVersion;
  return std::nullopt;
}

std::u16string ResidentCommand(const std::u16string& program_path) {
  return u"\"" + program_path + u"\" --tray";
}

}  // namespace capture
