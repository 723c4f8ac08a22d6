// The keys of capture.ini, each with its place, its comment and how it is read and written.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"

namespace capture {

// One key of capture.ini: where it is, what a good value looks like, how it is read and written.
struct SettingsKey {
  std::u16string_view section, key;
  std::u16string_view comment;  // written above the key in a new file; empty: none
  std::u16string_view want;     // a good value, for the report of a bad one
  // Takes the value into the settings; false (the settings untouched) when it is no good value.
  std::function<bool(std::u16string_view, Settings&)> read;
  std::function<std::u16string(const Settings&)> write;
};

// Every key of the file, in the order a new file lists them.
std::vector<SettingsKey> SettingsKeys();

// The text without the spaces and tabs (and a CR) at either end.
std::u16string_view Trimmed(std::u16string_view text);

// The number in decimal digits, with a minus sign when negative.
std::u16string NumberText(int value);

}  // namespace capture
