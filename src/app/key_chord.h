// A global hotkey as the settings file writes it: "PrintScreen", "Ctrl+Shift+A", "Alt+F9".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace capture {

// Modifier bits as RegisterHotKey takes them.
namespace modifier {
inline constexpr unsigned kAlt = 0x1;
inline constexpr unsigned kCtrl = 0x2;
inline constexpr unsigned kShift = 0x4;
inline constexpr unsigned kWin = 0x8;
}  // namespace modifier

inline constexpr unsigned kPrintScreenKey = 0x2C;  // VK_SNAPSHOT

struct KeyChord {
  unsigned modifiers = 0;  // modifier::k… bits
  unsigned key = 0;        // a virtual key; 0 is no hotkey at all
  bool None() const { return key == 0; }
  friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

// Reads modifiers (Ctrl, Alt, Shift, Win) and one key (A-Z, 0-9, F1-F24, PrintScreen, Pause,
// Insert, Delete, Home, End, PageUp, PageDown, Space) joined by "+", in any letter case, spaces
// ignored; empty text, "none" or "无" is no hotkey. Nothing when the text is none of these.
std::optional<KeyChord> ParseKeyChord(std::u16string_view text);

// The chord as ParseKeyChord reads it ("Ctrl+Shift+A"); empty for no hotkey.
std::u16string KeyChordText(const KeyChord& chord);

}  // namespace capture
