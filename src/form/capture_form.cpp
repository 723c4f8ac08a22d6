#include "form/capture_form.h"

#include <algorithm>

#include "form/monitors.h"

namespace capture {

CaptureForm::CaptureForm(Window& window, const Screen& screen)
    : window_(window), screen_(screen), monitors_(screen.Monitors()) {}

void CaptureForm::ReadMonitors() {
  monitors_ = screen_.Monitors();
  for (Monitor& monitor : monitors_) monitor.area = view_.ToPicture(monitor.area);
}

void CaptureForm::ShowPicture(SizeI picture, const RectI& source) {
  view_ = ViewOf(picture, source, screen_.Size());
  ReadMonitors();
}

bool CaptureForm::ScrollView(int rows) {
  if (!view_.Shown()) return false;
  const int y = std::clamp(view_.offset.y + rows, view_.top, view_.bottom);
  if (y == view_.offset.y) return false;
  view_.offset.y = y;
  ReadMonitors();
  return true;
}

float CaptureForm::ScreenWidth() const {
  return static_cast<float>(view_.Shown() ? view_.picture.width : screen_.Size().width);
}
float CaptureForm::ScreenHeight() const {
  return static_cast<float>(view_.Shown() ? view_.picture.height : screen_.Size().height);
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
  for (int i = 0; i < kHandles; ++i) controls[MarkHandleId(i)].visible = false;
}

void CaptureForm::CloseWindow() {
  if (closed_) return;
  closed_ = true;
  window_.Close();
}

}  // namespace capture
