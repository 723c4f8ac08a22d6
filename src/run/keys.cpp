#include "run/keys.h"

#include <array>
#include <utility>

namespace capture {
namespace {

// A letter for each tool, alone: a press is a click on the tool's button.
constexpr std::array<std::pair<int, ToolbarButton>, 8> kToolKeys = {{
    {'R', ToolbarButton::Rectangle},
    {'E', ToolbarButton::Ellipse},
    {'A', ToolbarButton::Arrow},
    {'T', ToolbarButton::Text},
    {'P', ToolbarButton::Pen},
    {'H', ToolbarButton::Highlighter},
    {'M', ToolbarButton::Mosaic},
    {'N', ToolbarButton::Steps},
}};

}  // namespace

std::optional<ToolbarButton> ShortcutButton(const KeyStroke& key) {
  if (key.alt) return std::nullopt;
  if (!key.ctrl) {
    if (key.shift) return std::nullopt;
    if (key.code == key::kReturn) return ToolbarButton::CopyQuit;
    if (key.code == key::kF3) return ToolbarButton::Pin;
    if (key.code == 'L') return ToolbarButton::ScrollCapture;
    for (const auto& [code, button] : kToolKeys) {
      if (key.code == code) return button;
    }
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

bool IsDeleteKey(const KeyStroke& key) {
  return !key.ctrl && !key.alt && !key.shift &&
         (key.code == key::kDelete || key.code == key::kBackspace);
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
