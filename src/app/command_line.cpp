#include "app/command_line.h"

#include <cstdint>

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

// Far beyond any screen, small enough that sums of two never overflow.
constexpr std::int64_t kLargestCoordinate = 1'000'000;
constexpr std::int64_t kLongestDelayMs = 24LL * 3600 * 1000;

}  // namespace

std::optional<int> WholeNumber(std::u16string_view text) {
  const bool negative = text.starts_with(u'-');
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > kLargestCoordinate) return std::nullopt;
  }
  return static_cast<int>(negative ? -value : value);
}

namespace {

// Seconds, whole or with up to three decimals, in milliseconds.
std::optional<int> DelayMs(std::u16string_view text) {
  const std::size_t point = text.find(u'.');
  const std::u16string_view whole = text.substr(0, point);
  std::u16string_view fraction = point == text.npos ? u"" : text.substr(point + 1);
  if (whole.empty() || whole.starts_with(u'-') || fraction.size() > 3) return std::nullopt;
  if (point != text.npos && fraction.empty()) return std::nullopt;
  const std::optional<int> seconds = WholeNumber(whole);
  std::int64_t ms = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const char16_t c = i < fraction.size() ? fraction[i] : u'0';
    if (c < u'0' || c > u'9') return std::nullopt;
    ms = ms * 10 + (c - u'0');
  }
  if (!seconds || *seconds * 1000LL + ms > kLongestDelayMs) return std::nullopt;
  return static_cast<int>(*seconds * 1000LL + ms);
}

// X,Y,W,H with a width and height of at least one pixel.
bool ReadRegion(std::u16string_view text, ScriptRequest& request) {
  int* const fields[] = {&request.x, &request.y, &request.width, &request.height};
  for (int i = 0; i < 4; ++i) {
    const std::size_t comma = i < 3 ? text.find(u',') : text.size();
    if (comma == text.npos) return false;
    const std::optional<int> value = WholeNumber(text.substr(0, comma));
    if (!value) return false;
    *fields[i] = *value;
    text.remove_prefix(i < 3 ? comma + 1 : comma);
  }
  return request.width > 0 && request.height > 0;
}

// Reads one switch (and its value, at `next`, when it takes one); the error, or empty.
class Reader {
 public:
  explicit Reader(const std::vector<std::u16string>& arguments) : arguments_(arguments) {}

  ParsedCommand Read() {
    for (next_ = 0; next_ < arguments_.size() && error_.empty();) {
      const std::u16string& argument = arguments_[next_++];
      const std::optional<std::u16string> name = SwitchName(argument);
      if (!name || !Known(*name) || !Once(*name)) {
        if (error_.empty()) error_ = u"无法识别的参数：" + argument;
        break;
      }
      Switch(*name, argument);
    }
    if (error_.empty()) Check();
    return {command_, error_};
  }

 private:
  static bool Known(const std::u16string& name) {
    for (const char16_t* known :
         {u"tray", u"quit", u"version", u"full", u"region", u"window", u"monitor", u"delay", u"out",
          u"clipboard", u"pin-clipboard", u"scroll"}) {
      if (name == known) return true;
    }
    return false;
  }

  // False (with the error said) when the switch was given before.
  bool Once(const std::u16string& name) {
    if (seen_.find(u"|" + name + u"|") != std::u16string::npos) {
      error_ = u"参数重复：--" + name;
      return false;
    }
    seen_ += u"|" + name + u"|";
    return true;
  }

  bool Seen(std::u16string_view name) const {
    return seen_.find(u"|" + std::u16string(name) + u"|") != std::u16string::npos;
  }

  // The switch's value, or nothing (with the error said) when the arguments end before it.
  std::optional<std::u16string> Value(const std::u16string& argument) {
    if (next_ < arguments_.size()) return arguments_[next_++];
    error_ = u"缺少参数值：" + argument;
    return std::nullopt;
  }

  void Bad(const std::u16string& argument, const std::u16string& value, std::u16string_view want) {
    error_ = u"参数值无效：" + argument + u" " + value + u"（应为" + std::u16string(want) + u"）";
  }

  void Switch(const std::u16string& name, const std::u16string& argument) {
    ScriptRequest& script = command_.script;
    if (name == u"tray") {
      command_.mode = Mode::Resident;
    } else if (name == u"quit") {
      command_.mode = Mode::QuitResident;
    } else if (name == u"version") {
      command_.mode = Mode::PrintVersion;
    } else if (name == u"pin-clipboard") {
      command_.mode = Mode::PinClipboard;
    } else if (name == u"full" || name == u"window") {
      script.grab = name == u"full" ? Grab::Full : Grab::Window;
      ++grabs_;
    } else if (name == u"clipboard") {
      script.clipboard = true;
    } else if (name == u"scroll") {
      script.scroll = true;
    } else if (const std::optional<std::u16string> value = Value(argument)) {
      ValueSwitch(name, argument, *value);
    }
  }

  void ValueSwitch(const std::u16string& name, const std::u16string& argument,
                   const std::u16string& value) {
    ScriptRequest& script = command_.script;
    if (name == u"region") {
      script.grab = Grab::Region;
      ++grabs_;
      if (!ReadRegion(value, script)) Bad(argument, value, u" X,Y,宽,高，宽和高至少为 1");
    } else if (name == u"monitor") {
      const std::optional<int> n = WholeNumber(value);
      script.monitor = n.value_or(0);
      if (script.monitor < 1) Bad(argument, value, u"从 1 起的显示器编号");
    } else if (name == u"delay") {
      const std::optional<int> ms = DelayMs(value);
      command_.delay_ms = ms.value_or(0);
      if (!ms) Bad(argument, value, u" 0 到 86400 之间的秒数");
    } else {  // out
      script.out = value;
      if (value.empty()) Bad(argument, u"\"\"", u"文件路径或 -");
    }
  }

  // The switches that only make sense together.
  void Check() {
    const bool alone = Seen(u"tray") || Seen(u"quit") || Seen(u"version") || Seen(u"pin-clipboard");
    const bool for_script =
        Seen(u"out") || Seen(u"clipboard") || Seen(u"monitor") || Seen(u"scroll");
    if (alone && arguments_.size() > 1) {
      error_ = u"--tray、--quit、--version、--pin-clipboard 不能与其他参数同用";
    } else if (grabs_ > 1) {
      error_ = u"--full、--region、--window 只能选一个";
    } else if (grabs_ == 0 && for_script) {
      error_ = u"--out、--clipboard、--monitor、--scroll 需要 --full、--region 或 --window";
    } else if (Seen(u"monitor") && command_.script.grab != Grab::Full) {
      error_ = u"--monitor 只能与 --full 同用";
    } else if (Seen(u"scroll") && command_.script.grab == Grab::Full) {
      error_ = u"--scroll 只能与 --region 或 --window 同用";
    } else if (grabs_ == 1) {
      command_.mode = Mode::Script;
    }
  }

  const std::vector<std::u16string>& arguments_;
  std::size_t next_ = 0;
  Command command_;
  std::u16string error_;
  std::u16string seen_;  // "|name|" for each switch read
  int grabs_ = 0;
};

}  // namespace

ParsedCommand ParseArguments(const std::vector<std::u16string>& arguments) {
  return Reader(arguments).Read();
}

std::u16string ResidentCommand(const std::u16string& program_path) {
  return u"\"" + program_path + u"\" --tray";
}

}  // namespace capture
