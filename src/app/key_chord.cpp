#include "app/key_chord.h"

#include <array>
#include <utility>

#include "output/image_formats.h"

namespace capture {
namespace {

constexpr std::array<std::pair<std::u16string_view, unsigned>, 4> kModifiers{{
    {u"Ctrl", modifier::kCtrl},
    {u"Alt", modifier::kAlt},
    {u"Shift", modifier::kShift},
    {u"Win", modifier::kWin},
}};

// Keys by name, the first name of each being the one written; letters, digits and F-keys are
// made from their numbers.
constexpr std::array<std::pair<std::u16string_view, unsigned>, 11> kNamedKeys{{
    {u"PrintScreen", kPrintScreenKey},
    {u"PrtSc", kPrintScreenKey},
    {u"Print", kPrintScreenKey},
    {u"Pause", 0x13},
    {u"Insert", 0x2D},
    {u"Delete", 0x2E},
    {u"Home", 0x24},
    {u"End", 0x23},
    {u"PageUp", 0x21},
    {u"PageDown", 0x22},
    {u"Space", 0x20},
}};
constexpr unsigned kF1 = 0x70;
constexpr unsigned kFunctionKeys = 24;

std::optional<unsigned> KeyNamed(const std::u16string& lower) {
  for (const auto& [name, key] : kNamedKeys) {
    if (lower == LowerCase(name)) return key;
  }
  if (lower.size() == 1 &&
      ((lower[0] >= u'a' && lower[0] <= u'z') || (lower[0] >= u'0' && lower[0] <= u'9'))) {
    return lower[0] >= u'a' ? unsigned{lower[0]} - u'a' + u'A' : unsigned{lower[0]};
  }
  if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == u'f') {
    unsigned n = 0;
    for (std::size_t i = 1; i < lower.size(); ++i) {
      if (lower[i] < u'0' || lower[i] > u'9') return std::nullopt;
      n = n * 10 + (lower[i] - u'0');
    }
    if (n >= 1 && n <= kFunctionKeys) return kF1 + n - 1;
  }
  return std::nullopt;
}

std::u16string NameOfKey(unsigned key) {
  for (const auto& [name, named] : kNamedKeys) {
    if (named == key) return std::u16string(name);
  }
  if (key >= kF1 && key < kF1 + kFunctionKeys) {
    const unsigned n = key - kF1 + 1;
    std::u16string name = u"F";
    if (n >= 10) name += static_cast<char16_t>(u'0' + n / 10);
    return name + static_cast<char16_t>(u'0' + n % 10);
  }
  return std::u16string(1, static_cast<char16_t>(key));
}

}  // namespace

std::optional<KeyChord> ParseKeyChord(std::u16string_view text) {
  std::u16string lower;
  for (const char16_t c : LowerCase(text)) {
    if (c != u' ' && c != u'\t') lower += c;
  }
  if (lower.empty() || lower == u"none" || lower == u"无") return KeyChord{};
  KeyChord chord;
  std::size_t start = 0;
  for (std::size_t plus = lower.find(u'+'); plus != std::u16string::npos;
       start = plus + 1, plus = lower.find(u'+', start)) {
    const std::u16string part = lower.substr(start, plus - start);
    unsigned bit = 0;
    for (const auto& [name, value] : kModifiers) {
      if (part == LowerCase(name)) bit = value;
    }
    if (bit == 0 || (chord.modifiers & bit) != 0) return std::nullopt;
    chord.modifiers |= bit;
  }
  const std::optional<unsigned> key = KeyNamed(lower.substr(start));
  if (!key) return std::nullopt;
  chord.key = *key;
  return chord;
}

std::u16string KeyChordText(const KeyChord& chord) {
  if (chord.None()) return {};
  std::u16string text;
  for (const auto& [name, bit] : kModifiers) {
    if ((chord.modifiers & bit) != 0) text.append(name).append(u"+");
  }
  return text + NameOfKey(chord.key);
}

}  // namespace capture
