#include "annotate/text_tool.h"

#include <optional>
#include <string_view>
#include <utility>

#include "annotate/render.h"
#include "annotate/shape_tools.h"
#include "annotate/style_panel.h"
#include "form/capture_form.h"

namespace capture {
namespace {

constexpr float kBoxStartWidth = 25;
// Below one point nothing readable is drawn (and GDI reads a zero height as "default size");
// ten inches already fill most screens, so anything larger is a typing slip.
constexpr double kSmallestFontPoints = 1;
constexpr double kLargestFontPoints = 720;

// The font size that FontSizeField holds: a plain decimal number of points ("11", "10.5"), spaces
// around it allowed. Nothing when the text is empty, not a number, or outside 1 to 720 points.
std::optional<float> UsableFontSize(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(u' ') - first + 1);

  double value = 0, scale = 1;
  bool digits = false, point = false;
  for (const char16_t c : text) {
    if (c == u'.' && !point) {
      point = true;
    } else if (u'0' <= c && c <= u'9') {
      digits = true;
      if (point) {
        scale /= 10;
        value += (c - u'0') * scale;
      } else {
        value = value * 10 + (c - u'0');
      }
    } else {
      return std::nullopt;
    }
  }
  if (!digits || value < kSmallestFontPoints || value > kLargestFontPoints) return std::nullopt;
  return static_cast<float>(value);
}

// The colour and the font size go to the box and to the surface at both releases, so a change
// made while the box is open shows in the drawn text. TextBox's font size is the last usable
// size: a FontSizeField that is not one leaves it as it was (11 at start).
void ApplyTextStyle(CaptureForm& form, Surface& surface) {
  Control& box = form[ControlId::TextBox];
  box.fore_colour = CurrentColour(form);
  const float points =
      UsableFontSize(form[ControlId::FontSizeField].caption).value_or(box.font_points);
  // An 11-point text looks 11 points on the monitor, as in every other program there: it is drawn
  // at the DPI of the chrome's monitor, where the text box stands.
  surface.SetFontSize(points, form.controls.scale.dpi);
  box.font_points = points;
}

void OpenBox(CaptureForm& form, Window& window, float x, float y) {
  Control& box = form[ControlId::TextBox];
  box.left = x;
  box.top = y;
  box.width = form.controls.scale(kBoxStartWidth);
  box.visible = true;
  window.FocusTextBox();
}

void CloseBox(CaptureForm& form, ToolDrag& drag) {
  Control& box = form[ControlId::TextBox];
  box.visible = false;
  box.caption.clear();
  drag.End();
}

// Adds the box's text where the box stands as a mark, and closes the box.
void DrawBoxText(CaptureForm& form, ToolDrag& drag, Surface& surface) {
  const Control& box = form[ControlId::TextBox];
  Mark mark;
  mark.kind = MarkKind::Text;
  mark.points = {{static_cast<float>(Round(box.left)), static_cast<float>(Round(box.top))}};
  mark.text = box.caption;
  mark.colour = CurrentColour(form);
  mark.size = box.font_points;
  mark.dpi = form.controls.scale.dpi;
  AddMark(form.history, surface, std::move(mark));
  CloseBox(form, drag);
}

bool TextBoxOpen(const CaptureForm& form, const AnnotateState& annotate) {
  return annotate.tool_drag.InProgress() && annotate.choice.tool == Tool::Text &&
         form[ControlId::TextBox].visible;
}

}  // namespace

void TextRelease(CaptureForm& form, ToolDrag& drag, Surface& surface, Window& window, float x,
                 float y) {
  ApplyTextStyle(form, surface);
  if (!form[ControlId::TextBox].visible) return OpenBox(form, window, x, y);
  DrawBoxText(form, drag, surface);
}

void TextBoxChanged(CaptureForm& form, const Surface& surface) {
  Control& box = form[ControlId::TextBox];
  if (surface.TextWidth(box.caption) > box.width) box.width = surface.TextWidth(box.caption);
}

void CommitOpenTextBox(CaptureForm& form, AnnotateState& annotate, Surface& surface) {
  if (!TextBoxOpen(form, annotate)) return;
  // Nothing typed is no annotation: no snapshot that an undo would have to take back.
  if (form[ControlId::TextBox].caption.empty()) return CloseBox(form, annotate.tool_drag);
  surface.EndPreview();
  ApplyTextStyle(form, surface);
  DrawBoxText(form, annotate.tool_drag, surface);
}

}  // namespace capture
