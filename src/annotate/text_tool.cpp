#include "annotate/text_tool.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "annotate/mark_gestures.h"
#include "annotate/render.h"
#include "annotate/shape_tools.h"
#include "annotate/style_panel.h"
#include "annotate/toolbar.h"
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

// A size in points as the font-size field shows it: "11", "10.5".
std::u16string PointsText(float points) {
  const long tenths = std::lround(static_cast<double>(points) * 10);
  std::array<char, 32> text{};
  if (tenths % 10 == 0) {
    std::snprintf(text.data(), text.size(), "%ld", tenths / 10);
  } else {
    std::snprintf(text.data(), text.size(), "%ld.%ld", tenths / 10, tenths % 10);
  }
  const std::string_view digits(text.data());
  return {digits.begin(), digits.end()};
}

// The box's commit when it holds a text mark's text again: the mark replaced by the box's text,
// or removed when the text was emptied; no step when nothing changed.
void ReplaceRetyped(CaptureForm& form, AnnotateState& annotate, Surface& surface, Mark mark) {
  History& history = form.history;
  const std::uint64_t serial = std::exchange(annotate.edit.retyped, 0);
  Document next = history.Shown();
  for (std::size_t i = 0; i < next.marks.size(); ++i) {
    if (next.marks[i]->serial != serial) continue;
    const Mark& old = *next.marks[i];
    if (old.text == mark.text && old.colour == mark.colour && old.size == mark.size &&
        old.points[0].x == mark.points[0].x && old.points[0].y == mark.points[0].y) {
      break;
    }
    if (mark.text.empty()) {
      next.marks.erase(next.marks.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      mark.serial = history.NewSerial();
      annotate.edit.selected = mark.serial;
      next.marks[i] = std::make_shared<const Mark>(std::move(mark));
    }
    return StoreDocument(history, surface, std::move(next));
  }
  ShowDocument(history.Shown(), history, surface);  // the mark hidden under the box shows again
}

// Adds the box's text where the box stands as a mark, and closes the box.
void DrawBoxText(CaptureForm& form, AnnotateState& annotate, Surface& surface) {
  ToolDrag& drag = annotate.tool_drag;
  const Control& box = form[ControlId::TextBox];
  Mark mark;
  mark.kind = MarkKind::Text;
  mark.points = {{static_cast<float>(Round(box.left)), static_cast<float>(Round(box.top))}};
  mark.text = box.caption;
  mark.colour = CurrentColour(form);
  mark.size = box.font_points;
  mark.dpi = form.controls.scale.dpi;
  if (annotate.edit.retyped != 0) {
    ReplaceRetyped(form, annotate, surface, std::move(mark));
  } else {
    AddMark(form.history, surface, std::move(mark));
  }
  CloseBox(form, drag);
}

// A box opened again on a text mark has no drag: the double-click's release is not the one that
// draws its text.
bool TextBoxOpen(const CaptureForm& form, const AnnotateState& annotate) {
  return (annotate.tool_drag.InProgress() || annotate.edit.retyped != 0) &&
         annotate.choice.tool == Tool::Text && form[ControlId::TextBox].visible;
}

}  // namespace

void TextRelease(CaptureForm& form, AnnotateState& annotate, Surface& surface, Window& window,
                 float x, float y) {
  ApplyTextStyle(form, surface);
  if (!form[ControlId::TextBox].visible) {
    // Where the release is, but on the picture: a drag may report the pointer beyond it.
    return OpenBox(form, window, std::clamp(x, 0.f, form.ScreenWidth()),
                   std::clamp(y, 0.f, form.ScreenHeight()));
  }
  DrawBoxText(form, annotate, surface);
}

void RetypeText(CaptureForm& form, AnnotateState& annotate, Surface& surface, Window& window,
                std::size_t place) {
  History& history = form.history;
  const MarkPtr mark = history.Shown().marks.at(place);
  CommitOpenTextBox(form, annotate, surface);
  // The text tool, with the mark's colour and size on the panel.
  annotate.choice.tool = Tool::Text;
  annotate.choice.active = true;
  annotate.choice.last_button = ToolbarButton::Text;
  form[SwatchId(kCurrentColourSwatch)].back_colour = mark->colour;
  form[ControlId::FontSizeField].caption = PointsText(mark->size);
  PlacePanel(form);
  LayOutPanel(form, annotate.choice, annotate.choices, Tool::Text);
  form[ControlId::StylePanel].visible = true;

  // The picture without the mark, which the box shows instead.
  Document without = history.Shown();
  without.marks.erase(without.marks.begin() + static_cast<std::ptrdiff_t>(place));
  ShowDocument(without, history, surface);
  history.SetPictureStale(true);
  annotate.edit.retyped = mark->serial;
  annotate.edit.selected = 0;

  const PointF at = mark->points.at(0);
  ApplyTextStyle(form, surface);
  Control& box = form[ControlId::TextBox];
  box.caption = mark->text;
  OpenBox(form, window, at.x, at.y);
  TextBoxChanged(form, surface);
}

float ChosenFontPoints(const CaptureForm& form) {
  return UsableFontSize(form[ControlId::FontSizeField].caption)
      .value_or(form[ControlId::TextBox].font_points);
}

void TextBoxChanged(CaptureForm& form, const Surface& surface) {
  Control& box = form[ControlId::TextBox];
  if (surface.TextWidth(box.caption) > box.width) box.width = surface.TextWidth(box.caption);
}

void CommitOpenTextBox(CaptureForm& form, AnnotateState& annotate, Surface& surface) {
  if (!TextBoxOpen(form, annotate)) return;
  // Nothing typed in a new box is no mark: no step that an undo would have to take back.
  if (form[ControlId::TextBox].caption.empty() && annotate.edit.retyped == 0) {
    return CloseBox(form, annotate.tool_drag);
  }
  surface.EndPreview();
  ApplyTextStyle(form, surface);
  DrawBoxText(form, annotate, surface);
}

}  // namespace capture
