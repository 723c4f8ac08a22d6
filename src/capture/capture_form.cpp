#include "capture/capture_form.h"

#include <cmath>

#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "capture/finish.h"

namespace capture {

std::int32_t RoundHalfEven(float value) {
  return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(value)));
}

CaptureForm::CaptureForm(Platform& p) : platform(p) {}

float CaptureForm::ScreenWidth() const {
  return static_cast<float>(platform.screen.Size().width);
}
float CaptureForm::ScreenHeight() const {
  return static_cast<float>(platform.screen.Size().height);
}

void CaptureForm::MouseDown(int button, int shift, float x, float y) {
  if (!closed_) router_.Down(*this, button, shift, {x, y});
}
void CaptureForm::MouseMove(int buttons, int shift, float x, float y) {
  if (!closed_) router_.Move(*this, buttons, shift, {x, y});
}
void CaptureForm::MouseUp(int button, int shift, float x, float y) {
  if (!closed_) router_.Up(*this, button, shift, {x, y});
}
void CaptureForm::DoubleClick(int button, int shift, float x, float y) {
  if (!closed_) router_.DoubleClick(*this, button, shift, {x, y});
}

void CaptureForm::KeyPress(char16_t key) {
  if (!closed_) Form_KeyPress(*this, key);
}

void CaptureForm::TextChanged(ControlId box, const std::u16string& text) {
  if (closed_) return;
  controls[box].caption = text;
  if (box == ControlId::TextEdit) TextEdit_Change(*this);
}

void CaptureForm::ComboClick(ControlId combo, const std::u16string& text) {
  if (closed_) return;
  controls[combo].caption = text;
  Combo1_Click(*this);
}

void CaptureForm::CloseWindow() {
  if (closed_) return;
  closed_ = true;
  platform.window.Close();
}

}  // namespace capture
