// The common save dialog, message boxes and the program's own folder.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/platform.h"

namespace capture::win32 {

class Win32Dialogs : public Dialogs {
 public:
  // The path buffer holds at least this many characters, so long paths fit.
  static constexpr std::size_t kLongPath = 32768;

  std::optional<std::u16string> AskSavePath(const SaveDialogRequest& request) override;
  void ShowMessage(const std::u16string& title, const std::u16string& text) override;
  std::u16string ProgramFolder() override;

  // The capture window: brought up to date on screen (by `refresh`) before a dialog or message
  // box appears, and disabled while it is up. The dialogs have no owner, and a click on the
  // full-screen window would otherwise bury them and re-enter the form.
  void BlockWhileModal(HWND window, std::function<void()> refresh) {
    blocked_ = window;
    refresh_ = std::move(refresh);
  }

 private:
  // Refreshes and disables the capture window for as long as a modal is up.
  class Modal;

  HWND blocked_ = nullptr;  // not owned
  std::function<void()> refresh_;
};

}  // namespace capture::win32
