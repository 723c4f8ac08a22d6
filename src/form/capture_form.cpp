#include "form/capture_form.h"

#include <algorithm>
#include <cmath>

#include "form/monitors.h"

namespace capture {

std::int32_t RoundHalfEven(float value) {
  return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(value)));
}

Tool ToolOf(std::u16string_view tooltip) {
  if (tooltip == u"添加矩形") return Tool::Rectangle;
  if (tooltip == u"添加椎圆") return Tool::Ellipse;
  if (tooltip == u"添加箭头") return Tool::Arrow;
  if (tooltip == u"添加文字") return Tool::Text;
  return Tool::None;
}

CaptureForm::CaptureForm(Platform& p) : platform(p), monitors(p.screen.Monitors()) {}

float CaptureForm::ScreenWidth() const {
  return static_cast<float>(platform.screen.Size().width);
}
float CaptureForm::ScreenHeight() const {
  return static_cast<float>(platform.screen.Size().height);
}

RectI CaptureForm::SelRect() const {
  const Control& selection = controls[ControlId::Shape1];
  return {RoundHalfEven(selection.left), RoundHalfEven(selection.top),
          RoundHalfEven(selection.left + selection.width),
          RoundHalfEven(selection.top + selection.height)};
}

void CaptureForm::ScaleChromeToSelection() {
  controls.scale.dpi = SelectionMonitor(*this).dpi;
}

void CaptureForm::HideSelection() {
  for (ControlId id : {ControlId::Shape1, ControlId::LblPos, ControlId::lblInfo}) {
    controls[id].visible = false;
  }
  for (int i = 0; i < 8; ++i) controls[Image1(i)].visible = false;
}

void CaptureForm::CloseWindow() {
  if (closed_) return;
  closed_ = true;
  platform.window.Close();
}

}  // namespace capture
