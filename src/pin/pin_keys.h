// What the keys and the right-click menu do on a pin.
#pragma once

#include <array>
#include <optional>

#include "platform/types.h"

namespace capture::pin {

enum class Command {
  Copy,        // the picture to the clipboard, at 100 %, exact
  Save,        // through the 保存为 dialog, as a capture's save
  ActualSize,  // back to 100 %
  Close,       // this pin
  CloseAll,    // every pin of the program
  Move,        // by the action's step
};

struct Action {
  Command command = Command::Close;
  PointI step;  // Move only
};

// Escape closes the pin, Shift+Escape every pin; Ctrl+C copies, Ctrl+S saves; 1 (also on the
// number pad) goes back to 100 %; an arrow moves the pin a pixel, ten with Shift. Nothing for any
// other key, nor with Alt held.
std::optional<Action> ActionOfKey(const KeyStroke& key);

// The right-click menu, top to bottom.
struct MenuItem {
  Command command;
  const char16_t* text;
};
inline constexpr std::array<MenuItem, 5> kMenu{{
    {Command::Copy, u"复制"},
    {Command::Save, u"另存为…"},
    {Command::ActualSize, u"原始大小"},
    {Command::Close, u"关闭"},
    {Command::CloseAll, u"关闭全部"},
}};

}  // namespace capture::pin
