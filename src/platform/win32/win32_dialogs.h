// The common save dialog, message boxes and the program's own folder.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace capture::win32 {

class Win32Dialogs : public Dialogs {
 public:
  // The path buffer holds at least this many characters, so long paths fit.
  static constexpr std::size_t kLongPath = 32768;

  std::optional<std::u16string> AskSavePath(const SaveDialogRequest& request) override;
  void ShowMessage(const std::u16string& title, const std::u16string& text) override;
  std::u16string ProgramFolder() override;

  // The capture window, disabled while a dialog or message box is up: the dialogs have no owner,
  // and a click on the full-screen window would otherwise bury them and re-enter the form.
  void BlockWhileModal(HWND window) { blocked_ = window; }

 private:
  HWND blocked_ = nullptr;  // not owned
};

}  // namespace capture::win32
