// The object behind a window: a window made with the object as its creation parameter keeps a
// pointer to it, and the object keeps the window as an OwnedWindow.
#pragma once

#include <windows.h>

#include "shell/handles.h"

namespace capture::win32 {

// For a window procedure: the object that made the window, or null before WM_NCCREATE and from
// WM_NCDESTROY on (the window is gone then, and `window` lets go of it without destroying it).
template <typename Owner>
Owner* WindowOwner(HWND hwnd, UINT message, LPARAM lparam, OwnedWindow Owner::*window) {
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    owner->*window = OwnedWindow(hwnd);
    return owner;
  }
  auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (owner && message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    (owner->*window).release();
    return nullptr;
  }
  return owner;
}

}  // namespace capture::win32
