// The system settings the resident program reads and writes: starting with Windows, and who owns
// the Print Screen key.
#pragma once

#include <optional>
#include <string>

#include "app/start_with_windows.h"

namespace capture::win32 {

// The program's value under HKCU's Run key; one that cannot be read as text reads as empty.
class RegistryRunValue : public RunValue {
 public:
  std::optional<std::u16string> Read() override;
  bool Write(const std::u16string& command) override;
  bool Remove() override;
};

// Whether the system gives the Print Screen key to its own screen snipping.
bool SnippingOwnsPrintScreen();
// The full path of this program's executable; empty when it cannot be read.
std::wstring ProgramPath();

}  // namespace capture::win32
