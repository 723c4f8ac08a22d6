// The common save dialog, message boxes and the program's own folder.
#pragma once

#include "platform/platform.h"

namespace capture::win32 {

class Win32Dialogs : public Dialogs {
 public:
  // The path buffer holds at least this many characters, so long paths fit.
  static constexpr std::size_t kLongPath = 32768;

  std::optional<std::u16string> AskSavePath(const SaveDialogRequest& request) override;
  void ShowMessage(const std::u16string& title, const std::u16string& text) override;
  std::u16string ProgramFolder() override;
};

}  // namespace capture::win32
