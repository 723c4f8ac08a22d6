// The keyboard: which toolbar button a key stands for, and how far an arrow key moves the
// selection.
#pragma once

#include <optional>

#include "form/controls.h"
#include "platform/types.h"

namespace capture {

// The toolbar button a key clicks: Enter and Ctrl+C copy and quit, Ctrl+S
// saves, Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, F3 pins, L alone starts 长截图; the letters
// R, E, A, T, P, H, M and N alone choose the rectangle, ellipse, arrow, text, pen, highlighter,
// mosaic and step tools. Nothing for any other key, nor with Alt held (Ctrl+Alt is AltGr, which
// types a character).
std::optional<ToolbarButton> ShortcutButton(const KeyStroke& key);
// Delete or Backspace alone: the selected mark goes.
bool IsDeleteKey(const KeyStroke& key);
// Ctrl+Shift+S: save without a dialog, into the quick-save folder.
bool IsQuickSaveKey(const KeyStroke& key);
// How far an arrow key moves the selection: one pixel, ten with Shift. Nothing for any other key,
// nor with Ctrl or Alt held.
std::optional<PointF> ArrowStep(const KeyStroke& key);

// The keys that aim a selection or read the pointer's pixel.
enum class AimKey {
  WholeMonitor,       // Ctrl+A: the monitor under the pointer; again: the whole virtual screen
  ColourHex,          // C: the colour under the pointer as #RRGGBB on the clipboard
  ColourNumbers,      // Shift+C: as "r, g, b"
  PreviousSelection,  // ,: an earlier capture's selection
  NextSelection,      // .: a later one
};
// Nothing for any other key, nor with Alt held.
std::optional<AimKey> AimKeyOf(const KeyStroke& key);

}  // namespace capture
