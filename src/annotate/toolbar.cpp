#include "annotate/toolbar.h"

#include "annotate/text_tool.h"
#include "form/capture_form.h"
#include "form/monitors.h"

namespace capture {
namespace {

constexpr float kPanelGap = 3;

}  // namespace

void PlacePanel(CaptureForm& form) {
  const ChromeScale& scale = form.controls.scale;
  const Control& strip = form[ControlId::Picture1];
  Control& panel = form[ControlId::Picture2];
  panel.left = strip.left;
  const float strip_height = scale(strip.height), height = scale(panel.height);
  const float gap = scale(kPanelGap);
  const auto screen_bottom = static_cast<float>(SelectionMonitor(form).area.bottom);
  const float panel_bottom = strip.top + strip_height + gap + height;
  if (screen_bottom < panel_bottom) {
    panel.top = strip.top - height - gap;
  } else {
    panel.top = strip.top + strip_height + gap;
  }
}

namespace {

// Only the text tool has a font size; the other tools get a narrower panel with colours only.
void LayOutPanel(CaptureForm& form, int index) {
  Control& panel = form[ControlId::Picture2];
  Control& font = form[ControlId::PicFont];
  Control& colours = form[ControlId::PicColor];
  if (index == toolbar_button::kText) {
    font.visible = true;
    colours.left = 78.667f;
    panel.width = 3620 / 15.f;
  } else {
    font.visible = false;
    colours.left = font.left;
    panel.width = 3620 / 15.f - font.width - 2;
  }
  form[ControlId::Shape4].width = panel.width;  // the panel has no border: all of it is inside
}

void HideHoverSquares(CaptureForm& form) {
  for (int i = 0; i < 9; ++i) form[Shape3(i)].visible = false;
}

}  // namespace

void ChooseTool(CaptureForm& form, int index) {
  const std::u16string& tool = form[Image2(index)].tooltip;
  if (ToolOf(tool) != Tool::Text) CommitOpenTextBox(form);
  PlacePanel(form);
  LayOutPanel(form, index);
  Control& panel = form[ControlId::Picture2];
  if (!panel.visible) {
    panel.visible = true;
  } else if (form.LastBtn == index) {
    panel.visible = false;  // the same tool twice in a row: the panel goes, the tool stays
  }
  form.DrawOn = true;
  form.ToolName = tool;
}

void Image2_MouseMove(CaptureForm& form, int index) {
  HideHoverSquares(form);
  form[Shape3(index)].visible = true;
}

void Picture1_MouseMove(CaptureForm& form) {
  form.platform.window.SetPointer(Pointer::Arrow);
  HideHoverSquares(form);
}

}  // namespace capture
