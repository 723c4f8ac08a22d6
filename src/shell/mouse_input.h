// Mouse messages unpacked into the plain values the form's reactions take.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/types.h"

namespace capture::win32 {

struct MouseInput {
  enum class Kind { Down, Up, DoubleClick, Move };
  Kind kind = Kind::Move;
  int button = 0;      // the button pressed or released: 1 left, 2 right, 4 middle; 0 for a move
  int buttons = 0;     // the buttons held once the message has happened, summed
  float x = 0, y = 0;  // window pixels; negative or past the edge while the pointer is captured
  bool shift = false;  // Shift was held
};

// The plain values of a mouse message, or nothing for another message.
std::optional<MouseInput> UnpackMouse(UINT message, WPARAM wparam, LPARAM lparam);
// A WM_KEYDOWN's key with Ctrl, Shift and Alt as they were when it went down.
KeyStroke UnpackKey(WPARAM wparam);

}  // namespace capture::win32
