// Pins kept over a quit: each pin's picture, place, zoom and opacity in a PNG file of its own in
// the "pins" folder beside the settings file, shown again at the resident program's next start.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pin/kept_pin.h"
#include "shell/win32_files.h"

namespace capture::win32 {

// "pins" beside the settings file at `settings_path`.
std::u16string PinsFolder(const std::u16string& settings_path);

// Writes the pins of one quit, each to a name no other file has; a file is either whole or not
// there, never half written.
class PinKeeper {
 public:
  explicit PinKeeper(std::u16string folder);

  // Writes one pin; false (and a line in problems()) when it was not kept.
  bool Keep(const Picture& picture, const pin::KeptPin& place);
  // One pin not kept, for the reason given.
  void NotKept(const std::u16string& why);
  // Removes the files written so far: the pins stay open after all.
  void Forget();
  // One line for each pin that was not kept, saying why.
  const std::vector<std::u16string>& problems() const { return problems_; }

 private:
  std::u16string folder_;
  LocalTime now_;
  int next_ = 1;
  std::vector<std::u16string> written_;
  std::vector<std::u16string> problems_;
  Win32Files files_;
};

// Shows a kept pin; true when it is shown (its file is then removed).
using ShowKeptPin = std::function<bool(const Picture& picture, const pin::KeptPin& place)>;

// Every kept pin in the folder, oldest first, handed to `show`. A file that holds no kept pin is
// renamed so that it is not met again, and kept for the user; one line for it is returned.
std::vector<std::u16string> RestoreKeptPins(const std::u16string& folder, const ShowKeptPin& show);

}  // namespace capture::win32
