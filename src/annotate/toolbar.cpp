#include "annotate/toolbar.h"

#include "annotate/text_tool.h"
#include "annotate/tool_choices.h"
#include "form/capture_form.h"
#include "form/monitors.h"
#include "platform/platform.h"

namespace capture {
namespace {

constexpr float kPanelGap = 3;
// Between a tool's choices and the palette.
constexpr float kChoicesGap = 6;

}  // namespace

void PlacePanel(CaptureForm& form) {
  const ChromeScale& scale = form.controls.scale;
  const Control& strip = form[ControlId::Toolbar];
  Control& panel = form[ControlId::StylePanel];
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

void LayOutPanel(CaptureForm& form, ToolChoice& choice, const ToolChoices& chosen, Tool tool) {
  choice.panel_tool = tool;
  Control& panel = form[ControlId::StylePanel];
  Control& font = form[ControlId::FontPanel];
  Control& colours = form[ControlId::Palette];
  const float choices = LayOutChoices(form, chosen, tool);
  if (tool == Tool::Text) {
    font.visible = true;
    colours.left = kPaletteBesideFontSize;
    panel.width = kStylePanelWidth;
  } else {
    font.visible = false;
    const float before_colours = choices > 0 ? choices + kChoicesGap : 0;
    colours.left = font.left + before_colours;
    panel.width = kStylePanelWidth - font.width - 2 + before_colours;
  }
  form[ControlId::StyleFrame].width = panel.width;  // the panel has no border: all of it is inside
}

namespace {

void HideHoverSquares(CaptureForm& form) {
  for (int i = 0; i < kToolbarButtons; ++i) form[HoverSquareId(i)].visible = false;
}

}  // namespace

void ChooseTool(CaptureForm& form, AnnotateState& annotate, Surface& surface,
                ToolbarButton button) {
  const Tool tool = ToolOf(button);
  if (tool != Tool::Text) CommitOpenTextBox(form, annotate, surface);
  PlacePanel(form);
  LayOutPanel(form, annotate.choice, annotate.choices, tool);
  Control& panel = form[ControlId::StylePanel];
  if (!panel.visible) {
    panel.visible = true;
  } else if (annotate.choice.last_button == button) {
    panel.visible = false;  // the same tool twice in a row: the panel goes, the tool stays
  }
  annotate.choice.active = true;
  annotate.choice.tool = tool;
}

void MoveOnButton(CaptureForm& form, ToolbarButton button) {
  HideHoverSquares(form);
  form[HoverSquareId(button)].visible = true;
}

void MoveOnToolbar(CaptureForm& form, Window& window) {
  window.SetPointer(Pointer::Arrow);
  HideHoverSquares(form);
}

}  // namespace capture
