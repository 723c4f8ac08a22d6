#include "pin/pin_keys.h"

namespace capture::pin {
namespace {

constexpr int kDigitOne = '1';
constexpr int kNumpadOne = 0x61;  // VK_NUMPAD1

}  // namespace

std::optional<Action> ActionOfKey(const KeyStroke& key) {
  if (key.alt) return std::nullopt;
  if (key.ctrl) {
    if (key.shift) return std::nullopt;
    if (key.code == 'C') return Action{Command::Copy, {}};
    if (key.code == 'S') return Action{Command::Save, {}};
    return std::nullopt;
  }
  const int step = key.shift ? 10 : 1;
  switch (key.code) {
    case key::kEscape:
      return Action{key.shift ? Command::CloseAll : Command::Close, {}};
    case kDigitOne:
    case kNumpadOne:
      if (key.shift) return std::nullopt;  // Shift+1 types "!"
      return Action{Command::ActualSize, {}};
    case key::kLeft:
      return Action{Command::Move, {-step, 0}};
    case key::kRight:
      return Action{Command::Move, {step, 0}};
    case key::kUp:
      return Action{Command::Move, {0, -step}};
    case key::kDown:
      return Action{Command::Move, {0, step}};
    default:
      return std::nullopt;
  }
}

}  // namespace capture::pin
