// What the resident program says when Print Screen is not its hotkey.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A hotkey the settings name that could not be registered; the one kept (its name in the settings'
// words, empty for none) goes on working.
Notice HotkeyKeptNotice(std::u16string_view wanted, std::u16string_view kept);

// Where a quick save went; a click on the balloon shows the file in its folder.
Notice QuickSavedNotice(std::u16string_view path);

// The settings file's bad values, one line each.
Notice SettingsProblemsNotice(const std::vector<std::u16string>& problems);

}  // namespace capture
