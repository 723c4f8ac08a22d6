#include "run/reactions.h"

#include "annotate/shape_tools.h"
#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "annotate/tool_choices.h"
#include "annotate/toolbar.h"
#include "annotate/undo_redo.h"
#include "form/capture_form.h"
#include "run/copy_selection.h"
#include "run/keys.h"
#include "selection/handle_resize.h"
#include "selection/selection_drag.h"

namespace capture {
namespace {

using K = Event::Kind;

int IndexOf(const Event& e) {
  return GroupOf(e.target).index;
}
ToolbarButton ButtonOf(const Event& e) {
  return static_cast<ToolbarButton>(IndexOf(e));
}
Handle HandleOf(const Event& e) {
  return static_cast<Handle>(IndexOf(e));
}

// What each toolbar button does. Every click is remembered: choosing the same tool twice in a
// row hides the style panel.
void ClickButton(CaptureForm& form, const Event& e) {
  const ToolbarButton button = ButtonOf(e);
  switch (button) {
    case ToolbarButton::Undo:
      // An open box becomes an annotation first, so the undo takes back exactly that text and a
      // redo brings it back.
      CommitOpenTextBox(form);
      Undo(form);
      break;
    case ToolbarButton::Redo:
      Redo(form);
      break;
    case ToolbarButton::Quit:
      form.CloseWindow();
      break;
    case ToolbarButton::CopyQuit:
      CopyAndQuit(form);
      break;
    case ToolbarButton::Save:
      SaveAndQuit(form);
      break;
    case ToolbarButton::Arrow:
    case ToolbarButton::Text:
    case ToolbarButton::Ellipse:
    case ToolbarButton::Rectangle:
    case ToolbarButton::Pen:
    case ToolbarButton::Highlighter:
    case ToolbarButton::Mosaic:
    case ToolbarButton::Steps:
      ChooseTool(form, button);
      break;
  }
  form.last_button = button;
}

// A key on the window. Escape always closes. The other keys wait while a press is held, and
// leave an open text box its keys; a shortcut clicks its toolbar button when a click could reach
// it, and an arrow moves the selection.
void KeyOnWindow(CaptureForm& form, const Event& e) {
  if (e.key.code == key::kEscape) return form.CloseWindow();
  if (form.router.Pressed() || form[ControlId::TextBox].visible) return;
  if (const std::optional<ToolbarButton> button = ShortcutButton(e.key)) {
    if (!form.controls.ShownOnScreen(ButtonId(*button))) return;
    Event click;
    click.kind = K::Click;
    click.target = ButtonId(*button);
    click.button = button::kLeft;
    return ClickButton(form, click);
  }
  if (const std::optional<PointF> step = ArrowStep(e.key)) NudgeSelection(form, step->x, step->y);
}

struct Entry {
  ControlId control;  // a control, or the first member of a group for all its members
  Event::Kind kind;
  Reaction reaction;
};

constexpr Entry kReactions[] = {
    // The window: draw, move or throw away the selection, or draw a shape on it
    // (selection/selection_drag.cpp, annotate/shape_tools.cpp); copy and leave; keys
    // (KeyOnWindow above, run/keys.cpp).
    {ControlId::Window, K::Down,
     [](CaptureForm& f, const Event& e) { PressOnWindow(f, e.button, e.point.x, e.point.y); }},
    {ControlId::Window, K::Move,
     [](CaptureForm& f, const Event& e) {
       MoveOnWindow(f, e.button, e.point.x, e.point.y, e.shift);
     }},
    {ControlId::Window, K::Up,
     [](CaptureForm& f, const Event& e) {
       ReleaseOnWindow(f, e.button, e.point.x, e.point.y, e.shift);
     }},
    {ControlId::Window, K::DoubleClick,
     [](CaptureForm& f, const Event& e) { DoubleClickOnWindow(f, e.point.x, e.point.y); }},
    {ControlId::Window, K::Key, KeyOnWindow},

    // The eight resize handles (selection/handle_resize.cpp).
    {ControlId::Handle_0, K::Down, [](CaptureForm& f, const Event&) { PressOnHandle(f); }},
    {ControlId::Handle_0, K::Move,
     [](CaptureForm& f, const Event& e) { MoveOnHandle(f, HandleOf(e), e.point.x, e.point.y); }},
    {ControlId::Handle_0, K::Up, [](CaptureForm& f, const Event&) { ReleaseOnHandle(f); }},

    // The toolbar strip and its buttons (annotate/toolbar.cpp, undo_redo.cpp;
    // run/copy_selection.cpp).
    {ControlId::Toolbar, K::Move, [](CaptureForm& f, const Event&) { MoveOnToolbar(f); }},
    {ControlId::Button_0, K::Move,
     [](CaptureForm& f, const Event& e) { MoveOnButton(f, ButtonOf(e)); }},
    {ControlId::Button_0, K::Click, ClickButton},

    // The style panel: the palette and the font size (annotate/style_panel.cpp).
    {ControlId::StylePanel, K::Move, [](CaptureForm& f, const Event&) { MoveOnStylePanel(f); }},
    {ControlId::Swatch_0, K::Move,
     [](CaptureForm& f, const Event& e) { MoveOnSwatch(f, IndexOf(e)); }},
    {ControlId::Swatch_0, K::Up,
     [](CaptureForm& f, const Event& e) { ReleaseOnSwatch(f, IndexOf(e)); }},
    {ControlId::Palette, K::Move, [](CaptureForm& f, const Event&) { MoveOnPalette(f); }},
    {ControlId::FontPanel, K::Move, [](CaptureForm& f, const Event&) { MoveOnFontPanel(f); }},
    {ControlId::FontSizeBox, K::Move, [](CaptureForm& f, const Event&) { MoveOnFontSizeBox(f); }},
    {ControlId::FontSizeBox, K::Down, [](CaptureForm& f, const Event&) { PressOnFontSizeBox(f); }},
    {ControlId::FontSizeList, K::ListChosen,
     [](CaptureForm& f, const Event&) { FontSizeChosen(f); }},
    // The sizes and kinds of the tools that have them (annotate/tool_choices.cpp).
    {ControlId::Choice_0, K::Click,
     [](CaptureForm& f, const Event& e) { ClickOnChoice(f, IndexOf(e)); }},

    // The text tool's box (annotate/text_tool.cpp).
    {ControlId::TextBox, K::TextChanged, [](CaptureForm& f, const Event&) { TextBoxChanged(f); }},
};

}  // namespace

Reaction ReactionFor(const Event& event) {
  const ControlId control = GroupOf(event.target).group;
  for (const Entry& entry : kReactions) {
    if (entry.control == control && entry.kind == event.kind) return entry.reaction;
  }
  return nullptr;
}

}  // namespace capture
