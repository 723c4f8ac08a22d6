// Move-only owners for every Windows handle the program acquires. Each releases its handle exactly
// once, in its destructor; copies are deleted so a handle can never be released twice.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace capture::win32 {

// Owns a handle of type H and releases it with Release unless it is null.
template <typename H, void (*Release)(H)>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, H{}));
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != H{}; }
  // Gives the handle up without releasing it (for example to the clipboard, which then owns it).
  H release() { return std::exchange(handle_, H{}); }
  void Reset(H handle = H{}) {
    if (handle_ != H{}) Release(handle_);
    handle_ = handle;
  }

 private:
  H handle_{};
};

namespace release {
template <typename H>
inline void GdiObject(H handle) {
  ::DeleteObject(handle);
}
inline void CreatedDc(HDC dc) {
  ::DeleteDC(dc);
}
inline void Window(HWND hwnd) {
  ::DestroyWindow(hwnd);
}
inline void Cursor(HCURSOR cursor) {
  ::DestroyCursor(cursor);
}
inline void GlobalMemory(HGLOBAL memory) {
  ::GlobalFree(memory);
}
inline void Menu(HMENU menu) {
  ::DestroyMenu(menu);
}
inline void KernelObject(HANDLE handle) {
  ::CloseHandle(handle);
}
inline void ChangeNotification(HANDLE handle) {
  ::FindCloseChangeNotification(handle);
}
inline void FileSearch(HANDLE handle) {
  ::FindClose(handle);
}
}  // namespace release

using Pen = UniqueHandle<HPEN, &release::GdiObject<HPEN>>;
using Brush = UniqueHandle<HBRUSH, &release::GdiObject<HBRUSH>>;
using Font = UniqueHandle<HFONT, &release::GdiObject<HFONT>>;
using Bitmap = UniqueHandle<HBITMAP, &release::GdiObject<HBITMAP>>;
using Region = UniqueHandle<HRGN, &release::GdiObject<HRGN>>;
// A device context from CreateDCW or CreateCompatibleDC.
using CreatedDc = UniqueHandle<HDC, &release::CreatedDc>;
// A window this program created and destroys itself.
using OwnedWindow = UniqueHandle<HWND, &release::Window>;
// A cursor loaded at a size of our choosing (not a shared one).
using OwnedCursor = UniqueHandle<HCURSOR, &release::Cursor>;
// Memory from GlobalAlloc, until the clipboard takes it (release()).
using GlobalMemory = UniqueHandle<HGLOBAL, &release::GlobalMemory>;
// A menu this program made and that no window owns.
using Menu = UniqueHandle<HMENU, &release::Menu>;
// A kernel object (mutex, process) from a Create or Open call that returns null on failure.
using KernelObject = UniqueHandle<HANDLE, &release::KernelObject>;
// FindFirstChangeNotificationW's handle; give it nullptr, not INVALID_HANDLE_VALUE, for none.
using ChangeNotification = UniqueHandle<HANDLE, &release::ChangeNotification>;
// FindFirstFileExW's handle; give it nullptr, not INVALID_HANDLE_VALUE, for none.
using FileSearch = UniqueHandle<HANDLE, &release::FileSearch>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;  // not owned; null for the whole screen
  HDC dc_;
};

// An object selected into a device context; the one it replaced is selected back at the end.
class SelectedObject {
 public:
  // What SelectObject returns when it fails: HGDI_ERROR, all bits set, spelled without the
  // macro's cast of a 32-bit constant.
  static HGDIOBJ SelectFailed() { return reinterpret_cast<HGDIOBJ>(~std::uintptr_t{0}); }

  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ && previous_ != SelectFailed()) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;            // not owned
  HGDIOBJ previous_;  // not owned: it belongs to whoever selected it before
};

// The device context's whole drawing state, restored at the end (clip region, origins, colours).
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), id_(::SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (id_ != 0) ::RestoreDC(dc_, id_);
  }

 private:
  HDC dc_;  // not owned
  int id_;
};

// BeginPaint/EndPaint around one WM_PAINT.
class PaintSession {
 public:
  explicit PaintSession(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;
  ~PaintSession() { ::EndPaint(hwnd_, &ps_); }
  HDC dc() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// The clipboard, open for as long as this lives. A few short retries cover another program
// holding it for a moment.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = ::OpenClipboard(owner) != FALSE;
      if (!open_) ::Sleep(5);
    }
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) ::CloseClipboard();
  }
  bool is_open() const { return open_; }

 private:
  bool open_ = false;
};

// A system-wide hotkey of a window, registered for as long as this lives; `registered()` is false
// when another program holds the key.
class RegisteredHotkey {
 public:
  RegisteredHotkey(HWND hwnd, int id, UINT modifiers, UINT key)
      : hwnd_(hwnd), id_(id), registered_(::RegisterHotKey(hwnd, id, modifiers, key) != FALSE) {}
  RegisteredHotkey(const RegisteredHotkey&) = delete;
  RegisteredHotkey& operator=(const RegisteredHotkey&) = delete;
  ~RegisteredHotkey() {
    if (registered_) ::UnregisterHotKey(hwnd_, id_);
  }
  bool registered() const { return registered_; }
  int id() const { return id_; }

 private:
  HWND hwnd_;  // not owned
  int id_;
  bool registered_;
};

// A locked global memory block (clipboard data), unlocked at the end.
class GlobalLock {
 public:
  explicit GlobalLock(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
  GlobalLock(const GlobalLock&) = delete;
  GlobalLock& operator=(const GlobalLock&) = delete;
  ~GlobalLock() {
    if (data_) ::GlobalUnlock(memory_);
  }
  void* data() const { return data_; }
  std::size_t size() const { return data_ ? ::GlobalSize(memory_) : 0; }

 private:
  HGLOBAL memory_;  // not owned
  void* data_;
};

}  // namespace capture::win32
