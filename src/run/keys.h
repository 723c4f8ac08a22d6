// The keyboard: which toolbar button a key stands for, and how far an arrow key moves the
// selection.
#pragma once

#include <optional>

#include "form/controls.h"
#include "platform/types.h"

namespace capture {

// The toolbar button a key clicks: Enter and Ctrl+C copy and quit, Ctrl+S
// saves, Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo; the letters R, E, A, T, P, H, M and N alone
// choose the rectangle, ellipse, arrow, text, pen, highlighter, mosaic and step tools. Nothing
// for any other key, nor with Alt held (Ctrl+Alt is AltGr, which types a character).
std::optional<ToolbarButton> ShortcutButton(const KeyStroke& key);
// How far an arrow key moves the selection: one pixel, ten with Shift. Nothing for any other key,
// nor with Ctrl or Alt held.
std::optional<PointF> ArrowStep(const KeyStroke& key);

}  // namespace capture
