// The surface's text: its font, made on first use, and glyphs drawn into the working layer.
#include <algorithm>
#include <string>
#include <utility>

#include "shell/fonts.h"
#include "shell/text.h"
#include "shell/win32_surface.h"

namespace capture::win32 {
namespace {

COLORREF Ref(Colour colour) {
  return static_cast<COLORREF>(colour) & 0x00FFFFFFu;
}

}  // namespace

HFONT Win32Surface::CurrentFont() const {
  // Made on first use: the first font starts Wine's font system, which would otherwise cost
  // start-up about 13 ms before the frozen screen can show.
  if (!font_) font_ = MakeFont(kUiFace, font_points_, font_dpi_);
  return font_.get();
}

void Win32Surface::SetFontSize(float points, int dpi) {
  if (points == font_points_ && dpi == font_dpi_ && font_) return;
  Font font = MakeFont(kUiFace, points, dpi);
  if (!font) return;
  font_ = std::move(font);
  font_points_ = points;
  font_dpi_ = dpi;
}

void Win32Surface::Text(int x, int y, std::u16string_view text, Colour colour) {
  if (text.empty() || !Shown().valid()) return;
  const std::wstring wide = Wide(text);
  SIZE extent{};
  {
    SelectedObject selected(Shown().dc(), CurrentFont());
    ::GetTextExtentPoint32W(Shown().dc(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  }
  // Glyphs may overhang their advance a little (italic-like strokes, antialiasing fringes).
  const int slack = std::max(2, static_cast<int>(extent.cy / 4));
  if (!BeforeDrawing({x - slack, y - slack, x + extent.cx + slack, y + extent.cy + slack})) return;
  const HDC dc = layer_.dc();
  SelectedObject selected(dc, CurrentFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, Ref(colour));
  ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void Win32Surface::TextCentredOn(float x, float y, std::u16string_view text, Colour colour) {
  if (text.empty() || !Shown().valid()) return;
  const HDC dc = Shown().dc();
  const std::wstring wide = Wide(text);
  SIZE extent{};
  TEXTMETRICW metrics{};
  OUTLINETEXTMETRICW outline{};
  {
    SelectedObject selected(dc, CurrentFont());
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    ::GetTextMetricsW(dc, &metrics);
    outline.otmSize = sizeof outline;
    if (::GetOutlineTextMetricsW(dc, sizeof outline, &outline) == 0) outline.otmsCapEmHeight = 0;
  }
  // Digits stand on the baseline and are about as tall as the capitals; a font that does not say
  // how tall those are gets the usual seven tenths of its em.
  const LONG em = metrics.tmHeight - metrics.tmInternalLeading;
  const double digits = outline.otmsCapEmHeight > 0 ? outline.otmsCapEmHeight : 0.7 * em;
  const int left = Round(x - static_cast<float>(extent.cx) / 2);
  const int top = Round(y + static_cast<float>(digits / 2)) - metrics.tmAscent;
  Text(left, top, text, colour);
}

float Win32Surface::TextWidth(std::u16string_view text) const {
  const std::wstring wide = Wide(text);
  CreatedDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return 0;
  SelectedObject selected(dc.get(), CurrentFont());
  SIZE extent{};
  ::GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  return static_cast<float>(extent.cx);
}

}  // namespace capture::win32
