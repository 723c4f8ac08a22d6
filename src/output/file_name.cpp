#include "output/file_name.h"

#include <array>
#include <utility>

namespace capture {
namespace {

std::u16string Padded(int value, std::size_t digits) {
  std::u16string text;
  for (unsigned v = static_cast<unsigned>(value < 0 ? 0 : value); v != 0 || text.empty(); v /= 10) {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + v % 10));
  }
  while (text.size() < digits) text.insert(text.begin(), u'0');
  return text;
}

}  // namespace

std::u16string ExpandPattern(std::u16string_view pattern, const LocalTime& time, int n) {
  const std::array<std::pair<std::u16string_view, std::u16string>, 7> fields{{
      {u"{yyyy}", Padded(time.year, 4)},
      {u"{MM}", Padded(time.month, 2)},
      {u"{dd}", Padded(time.day, 2)},
      {u"{HH}", Padded(time.hour, 2)},
      {u"{mm}", Padded(time.minute, 2)},
      {u"{ss}", Padded(time.second, 2)},
      {u"{n}", Padded(n, 1)},
  }};
  std::u16string name;
  while (!pattern.empty()) {
    bool replaced = false;
    for (const auto& [field, value] : fields) {
      if (pattern.starts_with(field)) {
        name += value;
        pattern.remove_prefix(field.size());
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      name += pattern.front();
      pattern.remove_prefix(1);
    }
  }
  return name;
}

std::u16string FreeFileName(const QuickSave& save, const LocalTime& time,
                            const std::function<bool(const std::u16string&)>& exists) {
  const bool counted = save.pattern.find(u"{n}") != std::u16string::npos;
  const std::u16string base = save.folder + u"\\";
  const std::u16string dot = u"." + save.extension;
  const std::u16string plain = ExpandPattern(save.pattern, time, 1);
  for (int n = 1;; ++n) {
    std::u16string path = base;
    if (counted) {
      path += ExpandPattern(save.pattern, time, n);
    } else {
      path += plain;
      if (n > 1) path.append(u" (").append(Padded(n, 1)).append(u")");
    }
    path += dot;
    if (!exists(path)) return path;
  }
}

}  // namespace capture
