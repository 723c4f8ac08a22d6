#include "shell/mouse_input.h"

#include <windowsx.h>

#include "platform/types.h"

namespace capture::win32 {

std::optional<MouseInput> UnpackMouse(UINT message, WPARAM wparam, LPARAM lparam) {
  using Kind = MouseInput::Kind;
  MouseInput in;
  switch (message) {
    case WM_MOUSEMOVE:
      in = {Kind::Move, 0};
      break;
    case WM_LBUTTONDOWN:
      in = {Kind::Down, button::kLeft};
      break;
    case WM_RBUTTONDOWN:
      in = {Kind::Down, button::kRight};
      break;
    case WM_MBUTTONDOWN:
      in = {Kind::Down, button::kMiddle};
      break;
    case WM_LBUTTONUP:
      in = {Kind::Up, button::kLeft};
      break;
    case WM_RBUTTONUP:
      in = {Kind::Up, button::kRight};
      break;
    case WM_MBUTTONUP:
      in = {Kind::Up, button::kMiddle};
      break;
    case WM_LBUTTONDBLCLK:
      in = {Kind::DoubleClick, button::kLeft};
      break;
    case WM_RBUTTONDBLCLK:
      in = {Kind::DoubleClick, button::kRight};
      break;
    case WM_MBUTTONDBLCLK:
      in = {Kind::DoubleClick, button::kMiddle};
      break;
    default:
      return std::nullopt;
  }
  const auto keys = static_cast<UINT>(wparam);
  if (keys & MK_LBUTTON) in.buttons |= button::kLeft;
  if (keys & MK_RBUTTON) in.buttons |= button::kRight;
  if (keys & MK_MBUTTON) in.buttons |= button::kMiddle;
  in.shift = (keys & MK_SHIFT) != 0;
  in.x = static_cast<float>(GET_X_LPARAM(lparam));
  in.y = static_cast<float>(GET_Y_LPARAM(lparam));
  return in;
}

KeyStroke UnpackKey(WPARAM wparam) {
  KeyStroke key;
  key.code = static_cast<int>(wparam);
  key.ctrl = ::GetKeyState(VK_CONTROL) < 0;
  key.shift = ::GetKeyState(VK_SHIFT) < 0;
  key.alt = ::GetKeyState(VK_MENU) < 0;
  return key;
}

}  // namespace capture::win32
