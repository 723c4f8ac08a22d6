#include "run/keys.h"

namespace capture {

std::optional<ToolbarButton> ShortcutButton(const KeyStroke& key) {
  if (key.alt) return std::nullopt;
  if (!key.ctrl) {
    if (key.code == key::kReturn && !key.shift) return ToolbarButton::CopyQuit;
    if (key.code == key::kF3 && !key.shift) return ToolbarButton::Pin;
    return std::nullopt;
  }
  switch (key.code) {
    case 'C':
      if (!key.shift) return ToolbarButton::CopyQuit;
      break;
    case 'S':
      if (!key.shift) return ToolbarButton::Save;
      break;
    case 'Z':
      return key.shift ? ToolbarButton::Redo : ToolbarButton::Undo;
    case 'Y':
      if (!key.shift) return ToolbarButton::Redo;
      break;
    default:
      break;
  }
  return std::nullopt;
}

bool IsQuickSaveKey(const KeyStroke& key) {
  return key.ctrl && key.shift && !key.alt && key.code == 'S';
}

std::optional<PointF> ArrowStep(const KeyStroke& key) {
  if (key.ctrl || key.alt) return std::nullopt;
  const float step = key.shift ? 10.0f : 1.0f;
  switch (key.code) {
    case key::kLeft:
      return PointF{-step, 0};
    case key::kRight:
      return PointF{step, 0};
    case key::kUp:
      return PointF{0, -step};
    case key::kDown:
      return PointF{0, step};
    default:
      return std::nullopt;
  }
}

std::optional<AimKey> AimKeyOf(const KeyStroke& key) {
  if (key.alt) return std::nullopt;
  if (key.ctrl) {
    if (key.code == 'A' && !key.shift) return AimKey::WholeMonitor;
    return std::nullopt;
  }
  switch (key.code) {
    case 'C':
      return key.shift ? AimKey::ColourNumbers : AimKey::ColourHex;
    case key::kComma:
      if (!key.shift) return AimKey::PreviousSelection;
      break;
    case key::kPeriod:
      if (!key.shift) return AimKey::NextSelection;
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace capture
