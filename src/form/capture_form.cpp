#include "form/capture_form.h"

#include "form/monitors.h"

namespace capture {

CaptureForm::CaptureForm(Platform& p) : platform(p), monitors(p.screen.Monitors()) {}

float CaptureForm::ScreenWidth() const {
  return static_cast<float>(platform.screen.Size().width);
}
float CaptureForm::ScreenHeight() const {
  return static_cast<float>(platform.screen.Size().height);
}

RectI CaptureForm::SelectionRect() const {
  const Control& selection = controls[ControlId::Selection];
  return {Round(selection.left), Round(selection.top), Round(selection.left + selection.width),
          Round(selection.top + selection.height)};
}

void CaptureForm::ScaleChromeToSelection() {
  controls.scale.dpi = SelectionMonitor(*this).dpi;
}

void CaptureForm::HideSelectionChrome() {
  for (ControlId id : {ControlId::Selection, ControlId::SizeLabel, ControlId::ColourLabel}) {
    controls[id].visible = false;
  }
  for (int i = 0; i < kHandles; ++i) controls[HandleId(i)].visible = false;
}

std::optional<Picture> CaptureForm::TakePicture(const RectI& rect) {
  HideSelectionChrome();
  platform.window.PumpEvents();
  if (closed_) return std::nullopt;  // the window was closed while it repainted

  // The copy comes from the window's own picture, not from the screen: whatever happens to lie
  // over the window (a tooltip, a notification) cannot leak into it.
  return platform.surface.Copy(rect);
}

std::optional<ScreenCopy> CaptureForm::CopyToClipboard(std::int32_t x1, std::int32_t y1,
                                                       std::int32_t x2, std::int32_t y2) {
  std::optional<Picture> picture = TakePicture({x1, y1, x2, y2});
  if (!picture) return std::nullopt;
  ScreenCopy copy{std::move(*picture)};
  copy.on_clipboard = platform.clipboard.PutBitmap(copy.picture);
  return copy;
}

void CaptureForm::CloseWindow() {
  if (closed_) return;
  closed_ = true;
  platform.window.Close();
}

}  // namespace capture
