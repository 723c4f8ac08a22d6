// The resident program's hidden window: the icon in the notification area and its menu, the
// global hotkey, and the target of another instance's --quit. Its procedure only turns messages
// into requests to Resident (app/resident.h), which decides what they do.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "app/resident.h"
#include "shell/handles.h"
#include "shell/notify_icon.h"
#include "shell/pins.h"

namespace capture::win32 {

class ResidentWindow : public ResidentShell {
 public:
  // `capture_once` runs one whole capture, reading the screen after the delay in milliseconds,
  // and returns when it has ended; it throws nothing. The pins outlive the window.
  ResidentWindow(Pins& pins, std::function<void(int)> capture_once)
      : pins_(pins), capture_once_(std::move(capture_once)) {}
  ResidentWindow(const ResidentWindow&) = delete;
  ResidentWindow& operator=(const ResidentWindow&) = delete;
  ~ResidentWindow() override { Leave(); }

  // Makes the hidden window, shows the icon and registers the hotkey (Print Screen, else
  // Ctrl+Print Screen, saying so in a balloon). False when the window could not be made.
  bool Create(HINSTANCE instance);
  // Runs the message loop until the program leaves; the program's exit status.
  int Run();

  // Pins the clipboard's picture at the pointer (the menu's 贴图, --pin-clipboard from another
  // process, a hotkey); a balloon says so when the clipboard holds no picture.
  ClipboardPin PinClipboard();

  // ---- ResidentShell ----
  void RunCapture(int delay_ms) override;
  void Leave() override;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void RegisterHotkey();
  void ShowMenu();
  void ToggleStartWithWindows();
  HWND hwnd() const { return window_.get(); }

  Pins& pins_;  // not owned
  std::function<void(int)> capture_once_;
  Resident resident_{*this};
  OwnedWindow window_;
  // Both refer to the window: they go before it.
  NotifyIcon icon_;
  std::optional<RegisteredHotkey> hotkey_;
  UINT taskbar_created_ = 0;  // the shell's message that its notification area is new
};

}  // namespace capture::win32
