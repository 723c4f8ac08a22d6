// The program's icon in the notification area, shown for as long as this lives.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <optional>
#include <string>
#include <utility>

namespace capture::win32 {

class NotifyIcon {
 public:
  NotifyIcon() = default;
  NotifyIcon(const NotifyIcon&) = delete;
  NotifyIcon& operator=(const NotifyIcon&) = delete;
  ~NotifyIcon() { Remove(); }

  // Shows the icon with its tooltip; the mouse on it comes to `window` as `message`, with the
  // mouse message in lParam. False when the shell refused (it has no notification area yet).
  bool Add(HWND window, UINT message, HICON icon, const std::wstring& tip);
  // Shows the icon again after the notification area was made anew (the shell restarted).
  bool AddAgain();
  // A balloon notification with a warning icon (an information icon when `warning` is false)
  // next to the icon, shown once: now, or as soon as the icon shows (at sign-in the notification
  // area may not be ready yet). A click on it comes as NIN_BALLOONUSERCLICK.
  void ShowBalloon(const std::wstring& title, const std::wstring& text, bool warning = true);
  void Remove();

 private:
  void ShowKeptBalloon();

  NOTIFYICONDATAW data_{};
  bool shown_ = false;
  std::optional<std::pair<std::wstring, std::wstring>> balloon_;  // title and text, not yet shown
  bool warning_ = true;
};

}  // namespace capture::win32
