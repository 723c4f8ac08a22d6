#include "app/start_with_windows.h"

#include <algorithm>
#include <string_view>

#include "app/command_line.h"

namespace capture {
namespace {

std::u16string_view FileName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  const auto lower = [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
  };
  return std::ranges::equal(a, b, [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

// A command this program wrote from wherever it was then: the same executable's name, quoted,
// then --tray.
bool WrittenByThisProgram(std::u16string_view command, std::u16string_view program_path) {
  constexpr std::u16string_view kTail = u"\" --tray";
  if (!command.starts_with(u'"') || !command.ends_with(kTail)) return false;
  const std::u16string_view path = command.substr(1, command.size() - 1 - kTail.size());
  return path.find(u'"') == std::u16string_view::npos &&
         SameIgnoringCase(FileName(path), FileName(program_path));
}

}  // namespace

bool StartsWithWindows(RunValue& value, const std::u16string& program_path) {
  return !program_path.empty() && value.Read() == ResidentCommand(program_path);
}

std::u16string ToggleStartWithWindows(RunValue& value, const std::u16string& program_path) {
  if (program_path.empty()) return u"无法读取程序的路径，未设置开机启动。";
  const std::u16string command = ResidentCommand(program_path);
  const std::optional<std::u16string> now = value.Read();
  if (now == command) return value.Remove() ? u"" : u"无法取消开机启动。";
  if (now && !WrittenByThisProgram(*now, program_path)) {
    return u"另一个程序的开机启动项使用了同一名称，未作改动。";
  }
  return value.Write(command) ? u"" : u"无法设置开机启动。";
}

}  // namespace capture
