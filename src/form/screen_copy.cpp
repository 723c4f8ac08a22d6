// The copy of a rectangle to the clipboard, and the colour splitter.
#include "form/capture_form.h"

namespace capture {

std::optional<ScreenCopy> CaptureForm::ScrnCap(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                               std::int32_t y2) {
  HideSelection();
  platform.window.PumpEvents();
  if (closed_) return std::nullopt;  // the window was closed while it repainted

  // The copy comes from the window's own picture, not from the screen: whatever happens to lie
  // over the window (a tooltip, a notification) cannot leak into it.
  ScreenCopy copy{platform.surface.Copy({x1, y1, x2, y2})};
  copy.on_clipboard = platform.clipboard.PutBitmap(copy.picture);
  return copy;
}

}  // namespace capture
