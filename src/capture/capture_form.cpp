#include "capture/capture_form.h"

#include <cmath>
#include <exception>
#include <new>

#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "capture/finish.h"
#include "capture/run_error.h"

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

RectI CaptureForm::SelectionRect() const {
  const Control& selection = controls[ControlId::Shape1];
  return {RoundHalfEven(selection.left), RoundHalfEven(selection.top),
          RoundHalfEven(selection.left + selection.width),
          RoundHalfEven(selection.top + selection.height)};
}

template <typename Reaction>
void CaptureForm::Guarded(Reaction&& reaction) {
  if (closed_) return;
  RunError error;
  try {
    reaction();
    return;
  } catch (const std::bad_alloc&) {
    error = OutOfMemory();
  } catch (const std::exception& e) {
    error = InternalError(e.what());
  }
  // The box takes the pointer, as on Windows: whatever was pressed is let go.
  router_.CaptureLost();
  ShowRunError(platform.dialogs, error);
}

void CaptureForm::MouseDown(int button, int shift, float x, float y) {
  Guarded([&] { router_.Down(*this, button, shift, {x, y}); });
}
void CaptureForm::MouseMove(int buttons, int shift, float x, float y) {
  Guarded([&] { router_.Move(*this, buttons, shift, {x, y}); });
}
void CaptureForm::MouseUp(int button, int shift, float x, float y) {
  Guarded([&] { router_.Up(*this, button, shift, {x, y}); });
}
void CaptureForm::DoubleClick(int button, int shift, float x, float y) {
  Guarded([&] { router_.DoubleClick(*this, button, shift, {x, y}); });
}

void CaptureForm::KeyPress(char16_t key) {
  Guarded([&] { Form_KeyPress(*this, key); });
}

void CaptureForm::TextChanged(ControlId box, const std::u16string& text) {
  Guarded([&] {
    controls[box].caption = text;
    if (box == ControlId::TextEdit) TextEdit_Change(*this);
  });
}

void CaptureForm::ComboClick(ControlId combo, const std::u16string& text) {
  Guarded([&] {
    controls[combo].caption = text;
    Combo1_Click(*this);
  });
}

void CaptureForm::CaptureLost() {
  router_.CaptureLost();
}

void CaptureForm::CloseWindow() {
  if (closed_) return;
  closed_ = true;
  platform.window.Close();
}

}  // namespace capture
