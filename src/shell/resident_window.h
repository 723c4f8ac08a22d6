// The resident program's hidden window: the icon in the notification area and its menu, the
// global hotkeys, the watch on the settings file, and the target of another instance's --quit.
// Its procedure only turns messages into requests to Resident (app/resident.h), which decides
// what they do.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/key_chord.h"
#include "app/resident.h"
#include "shell/handles.h"
#include "shell/notify_icon.h"
#include "shell/pins.h"
#include "shell/settings_store.h"

namespace capture::win32 {

class ResidentWindow : public ResidentShell {
 public:
  // `capture_once` runs one whole capture, reading the screen after the delay in milliseconds,
  // and returns when it has ended; it throws nothing. The settings and the pins outlive the
  // window.
  ResidentWindow(SettingsStore& settings, Pins& pins, std::function<void(int)> capture_once);
  ResidentWindow(const ResidentWindow&) = delete;
  ResidentWindow& operator=(const ResidentWindow&) = delete;
  ~ResidentWindow() override { LetGo(); }

  // Makes the hidden window, shows the icon, registers the hotkeys the settings name (for Print
  // Screen, else Ctrl+Print Screen, saying so in a balloon), watches the settings file's folder
  // and shows the pins kept at the last quit again. False when the window could not be made.
  bool Create(HINSTANCE instance);
  // Runs the message loop until the program leaves; the program's exit status.
  int Run();

  // Pins the clipboard's picture at the pointer (the menu's 贴图, --pin-clipboard from another
  // process, a hotkey); a balloon says so when the clipboard holds no picture.
  ClipboardPin PinClipboard();

  // ---- ResidentShell ----
  void RunCapture(int delay_ms) override;
  // Keeps the open pins first. When some cannot be kept, that is said on stderr and in the exit
  // status; a quit from the menu asks its user whether to quit all the same.
  bool Leave() override;

 private:
  // A row of the hotkey table: the setting that names the key, what it does, and the key held.
  struct HotkeyRow {
    KeyChord Settings::*setting;
    std::function<void()> act;
    KeyChord chord;                                // what is registered; none when nothing is
    std::unique_ptr<RegisteredHotkey> registered;  // null when nothing is
  };

  // Lets go of the hotkeys, the icon and the window, in that order; what leaving and the end of
  // this object both do (not virtual: the destructor calls it).
  void LetGo();
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void HotkeyPressed(WPARAM id);
  // Registers each row's key as the settings now name it. A key that cannot be registered keeps
  // the row's old one and says so; at start, Print Screen falls back to Ctrl+Print Screen.
  void ApplyHotkeys(bool at_start);
  // Holds `chord` for the row under a new id, the old key let go only once the new one is held;
  // false (the old one kept) when the system refuses it.
  bool Register(HotkeyRow& row, const KeyChord& chord);
  void WatchSettings();
  void SettingsChanged();
  void ShowProblems();
  void RestorePins();
  void QuickSaved(const std::u16string& path);
  void ShowMenu();
  void OpenSettings();
  void ToggleStartWithWindows();
  HWND hwnd() const { return window_.get(); }

  SettingsStore& settings_;
  Pins& pins_;  // not owned
  std::function<void(int)> capture_once_;
  Resident resident_{*this};
  OwnedWindow window_;
  // These refer to the window: they go before it.
  NotifyIcon icon_;
  std::vector<HotkeyRow> hotkeys_;
  int next_hotkey_id_ = 1;
  ChangeNotification watch_;     // the settings file's folder
  std::u16string balloon_file_;  // the file a click on the balloon shows; empty: none
  UINT taskbar_created_ = 0;     // the shell's message that its notification area is new
  bool quit_from_menu_ = false;  // the user is here to be asked
  int exit_status_ = 0;
};

}  // namespace capture::win32
