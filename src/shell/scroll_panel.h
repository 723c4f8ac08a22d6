// What shows while 长截图 scrolls: a thin frame just outside the area and a small panel beside it
// with the picture's height so far (or what stopped it), 完成 and 取消. Neither stands inside the
// area, so no grab of it shows them; where the panel finds no room outside, it is kept out of
// grabs by the system where it can.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "platform/types.h"
#include "shell/handles.h"

namespace capture::win32 {

class ScrollPanel {
 public:
  enum class Choice { None, Finish, Cancel };

  ScrollPanel() = default;
  ScrollPanel(const ScrollPanel&) = delete;
  ScrollPanel& operator=(const ScrollPanel&) = delete;
  ~ScrollPanel();

  // Shows the frame around `area` (the system's screen coordinates) and the panel, at `dpi`,
  // without taking the keyboard focus; Enter and Escape are taken as system-wide hotkeys while
  // the panel lives. False when the panel's window could not be made.
  bool Create(HINSTANCE instance, const RectI& area, int dpi);
  // Shows the text at the panel's left (its window's title too), the panel widened to hold it.
  void Say(const std::wstring& text);
  // 完成 or Enter, 取消 or Escape, once chosen; None until then.
  Choice choice() const { return choice_; }
  HWND hwnd() const { return window_.get(); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Paint(HDC dc) const;
  // A press (`down`) or release of the left button at a panel point: a press and a release on the
  // same button choose it.
  void OnButton(bool down, POINT p);
  // Places the panel by its size: below the frame, else above it, else inside the area.
  void Place(int width, int height);
  int Scaled(int design) const { return MulDiv(design, dpi_, 96); }
  RECT ButtonRect(int which) const;  // 0: 完成, 1: 取消; in the panel's coordinates

  OwnedWindow window_;
  std::array<OwnedWindow, 4> edges_;
  std::optional<RegisteredHotkey> enter_, escape_;
  Font font_;
  RectI area_;
  RECT monitor_{};
  int dpi_ = 96;
  int width_ = 0, height_ = 0;
  int pressed_ = -1;  // the button pressed and not yet released
  std::wstring text_;
  Choice choice_ = Choice::None;
};

}  // namespace capture::win32
