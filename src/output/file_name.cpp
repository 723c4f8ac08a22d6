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

char16_t Upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

bool IsDeviceName(std::u16string_view name) {
  name = name.substr(0, name.find(u'.'));
  while (name.ends_with(u' ')) name.remove_suffix(1);
  std::u16string upper(name);
  for (char16_t& c : upper) c = Upper(c);
  for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL"}) {
    if (upper == device) return true;
  }
  // COM1 to COM9 and LPT1 to LPT9, and with a superscript digit, which Windows also takes.
  return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) &&
         ((upper[3] >= u'1' && upper[3] <= u'9') || upper[3] == u'\u00B9' ||
          upper[3] == u'\u00B2' || upper[3] == u'\u00B3');
}

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

std::optional<std::u16string> FreeFileName(
    const QuickSave& save, const LocalTime& time,
    const std::function<bool(const std::u16string&)>& exists) {
  const bool counted = save.pattern.find(u"{n}") != std::u16string::npos;
  const std::u16string dot = u"." + save.extension;
  const std::u16string plain = ExpandPattern(save.pattern, time, 1);
  for (int n = 1; n <= kFreeNameCandidates; ++n) {
    std::u16string name = counted ? ExpandPattern(save.pattern, time, n) : plain;
    if (!counted && n > 1) name.append(u" (").append(Padded(n, 1)).append(u")");
    if (IsDeviceName(name)) continue;
    std::u16string path = save.folder;
    path.append(u"\\").append(name).append(dot);
    if (!exists(path)) return path;
  }
  return std::nullopt;
}

}  // namespace capture
