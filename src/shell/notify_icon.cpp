#include "shell/notify_icon.h"

#include <cwchar>

namespace capture::win32 {
namespace {

// Copies as much of `text` as fits, always ending with a NUL.
template <std::size_t N>
void CopyText(wchar_t (&to)[N], const std::wstring& text) {
  std::wcsncpy(to, text.c_str(), N - 1);
  to[N - 1] = L'\0';
}

}  // namespace

bool NotifyIcon::Add(HWND window, UINT message, HICON icon, const std::wstring& tip) {
  Remove();
  data_ = {};
  data_.cbSize = sizeof(data_);
  data_.hWnd = window;
  data_.uID = 1;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = message;
  data_.hIcon = icon;
  CopyText(data_.szTip, tip);
  return AddAgain();
}

bool NotifyIcon::AddAgain() {
  if (!data_.hWnd) return false;
  NOTIFYICONDATAW data = data_;
  data.uFlags &= ~static_cast<UINT>(NIF_INFO);
  // The area may still hold the icon (it announces itself anew on other occasions too).
  shown_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE ||
           ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  ShowKeptBalloon();
  return shown_;
}

void NotifyIcon::ShowBalloon(const std::wstring& title, const std::wstring& text, bool warning) {
  balloon_ = {title, text};
  warning_ = warning;
  ShowKeptBalloon();
}

void NotifyIcon::ShowKeptBalloon() {
  if (!shown_ || !balloon_) return;
  NOTIFYICONDATAW data = data_;
  data.uFlags = NIF_INFO;
  CopyText(data.szInfoTitle, balloon_->first);
  CopyText(data.szInfo, balloon_->second);
  data.dwInfoFlags = warning_ ? NIIF_WARNING : NIIF_INFO;
  if (::Shell_NotifyIconW(NIM_MODIFY, &data)) balloon_.reset();
}

void NotifyIcon::Remove() {
  if (!shown_) return;
  ::Shell_NotifyIconW(NIM_DELETE, &data_);
  shown_ = false;
}

}  // namespace capture::win32
