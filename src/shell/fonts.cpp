#include "shell/fonts.h"

#include <algorithm>
#include <cmath>

namespace capture::win32 {

LONG FontHeight(float points, int dpi) {
  // Sizes outside what a screen can show are held to it; a size that is not a number is the
  // smallest.
  const double p = std::isnan(points) ? 1.0 : std::clamp(static_cast<double>(points), 1.0, 2000.0);
  return -std::max(1L, std::lround(p * dpi / 72.0));
}

Font MakeFont(std::wstring_view face, float points, int dpi, BYTE charset) {
  LOGFONTW lf{};
  lf.lfHeight = FontHeight(points, dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(lf.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
  return Font(::CreateFontIndirectW(&lf));
}

}  // namespace capture::win32
