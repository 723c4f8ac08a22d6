// What the resident program says when Print Screen is not its hotkey.
#pragma once

#include <optional>
#include <string>

namespace capture {

// The hotkey the resident program got: Print Screen, else Ctrl+Print Screen, else none.
enum class Hotkey { PrintScreen, CtrlPrintScreen, None };

struct Notice {
  std::u16string title;
  std::u16string text;
  friend bool operator==(const Notice&, const Notice&) = default;
};

// The balloon shown at start when the hotkey is not Print Screen; nothing when it is.
// `snipping_setting_on`: the system setting that gives Print Screen to its own screen snipping
// (HKCU\Control Panel\Keyboard, PrintScreenKeyForSnippingEnabled = 1), the usual holder of the key.
std::optional<Notice> HotkeyNotice(Hotkey hotkey, bool snipping_setting_on);

}  // namespace capture
