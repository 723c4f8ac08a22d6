// 开机启动: the program's value under the user's Run key, which the system runs at sign-in.
#pragma once

#include <optional>
#include <string>

namespace capture {

// The value named for the program under the Run key.
class RunValue {
 public:
  virtual ~RunValue() = default;
  // Its text; nothing when there is no such value.
  virtual std::optional<std::u16string> Read() = 0;
  // False when the registry refused.
  virtual bool Write(const std::u16string& command) = 0;
  virtual bool Remove() = 0;
};

// Checked only when the value is exactly the command this program would write: one left behind by
// a copy of the program at another path would start nothing, or something else.
bool StartsWithWindows(RunValue& value, const std::u16string& program_path);

// Turns 开机启动 off when it is checked, else on: a value this program wrote from another path is
// rewritten; another program's value under the same name is left alone, as is everything when the
// program's own path is unknown. The message for the "错误" box; empty when it was done.
std::u16string ToggleStartWithWindows(RunValue& value, const std::u16string& program_path);

}  // namespace capture
