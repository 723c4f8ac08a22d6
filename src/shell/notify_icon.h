// The program's icon in the notification area, shown for as long as this lives.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

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
  // A balloon notification with a warning icon next to the icon.
  void ShowBalloon(const std::wstring& title, const std::wstring& text);
  void Remove();

 private:
  NOTIFYICONDATAW data_{};
  bool shown_ = false;
};

}  // namespace capture::win32
