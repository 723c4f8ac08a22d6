// Fonts of the window: the face used for text the user types or draws, and point sizes in pixels.
#pragma once

#include <windows.h>

#include <string_view>

#include "shell/handles.h"

namespace capture::win32 {

// Has Chinese glyphs on every Windows since Vista; Wine maps it to WenQuanYi Micro Hei through
// its font replacements.
inline constexpr std::wstring_view kUiFace = L"Microsoft YaHei";

// The pixel height (negative: character height, as LOGFONT takes it) of a point size.
LONG FontHeight(float points, int dpi);
// A normal-weight font of the face and size at the DPI of the monitor it is shown on; null on
// failure.
Font MakeFont(std::wstring_view face, float points, int dpi, BYTE charset = DEFAULT_CHARSET);

}  // namespace capture::win32
