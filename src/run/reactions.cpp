#include "run/reactions.h"

#include "annotate/mark_gestures.h"
#include "annotate/shape_tools.h"
#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "annotate/tool_choices.h"
#include "annotate/toolbar.h"
#include "annotate/undo_redo.h"
#include "form/capture_form.h"
#include "run/capture_run.h"
#include "run/copy_selection.h"
#include "run/keys.h"
#include "run/run_mode.h"
#include "run/scroll_selection.h"
#include "run/window_pointer.h"
#include "selection/aim_keys.h"
#include "selection/handle_resize.h"
#include "selection/magnifier.h"
#include "selection/selection_drag.h"
#include "selection/suggestion.h"

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
void ClickButton(RunState& s, const Event& e) {
  const ToolbarButton button = ButtonOf(e);
  switch (button) {
    case ToolbarButton::Undo:
      // An open box becomes an annotation first, so the undo takes back exactly that text and a
      // redo brings it back.
      CommitOpenTextBox(s.form, s.annotate, s.services.surface);
      if (!Undo(s.form, s.annotate.choice, s.services.surface)) {
        ReturnToSelecting(s.form, s.selection.drag);
      }
      break;
    case ToolbarButton::Redo:
      Redo(s.form, s.services.surface);
      break;
    case ToolbarButton::Quit:
      s.form.CloseWindow();
      break;
    case ToolbarButton::CopyQuit:
      CopyAndQuit(s);
      break;
    case ToolbarButton::Save:
      SaveAndQuit(s);
      break;
    case ToolbarButton::Pin:
      PinAndQuit(s);
      break;
    case ToolbarButton::ScrollCapture:
      ScrollSelection(s);
      break;
    case ToolbarButton::Arrow:
    case ToolbarButton::Text:
    case ToolbarButton::Ellipse:
    case ToolbarButton::Rectangle:
    case ToolbarButton::Pen:
    case ToolbarButton::Highlighter:
    case ToolbarButton::Mosaic:
    case ToolbarButton::Steps:
      // A tool chosen is for a new mark: the style panel's choices are no longer the last one's.
      DeselectMark(s.form, s.annotate);
      ChooseTool(s.form, s.annotate, s.services.surface, button);
      break;
  }
  s.annotate.choice.last_button = button;
}

void AimKeyOnWindow(RunState& s, AimKey key) {
  switch (key) {
    case AimKey::WholeMonitor:
      return SelectWholeMonitor(s.form, s.selection, s.annotate.choice);
    case AimKey::ColourHex:
    case AimKey::ColourNumbers:
      return CopyColourUnderPointer(s.form, s.selection.aim, s.services.surface,
                                    s.services.clipboard, s.services.window,
                                    key == AimKey::ColourNumbers);
    case AimKey::PreviousSelection:
      return RecallSelection(s.form, s.selection, s.annotate.choice, -1);
    case AimKey::NextSelection:
      return RecallSelection(s.form, s.selection, s.annotate.choice, 1);
  }
}

// A key on the window. Escape lets a selected mark go, else closes. The other keys wait while a
// press is held, and leave an open text box its keys but quick save; a shortcut clicks its toolbar
// button when a click could reach it, quick save works whenever 保存 could be clicked, and an arrow
// moves the selection.
void KeyOnWindow(RunState& s, const Event& e) {
  CaptureForm& form = s.form;
  const RunMode mode = ModeOf(s);
  if (e.key.code == key::kEscape) {
    // A selected mark is let go first; the next Escape closes.
    if (mode == RunMode::MarkSelected) return DeselectMark(form, s.annotate);
    return form.CloseWindow();
  }
  // While aiming, also during the drag that draws the selection, an arrow moves the pointer.
  const std::optional<PointF> step = ArrowStep(e.key);
  if (step && !form[ControlId::TextBox].visible && Aiming(s.selection.drag, s.annotate.choice)) {
    return NudgePointer(s.selection.aim, s.services.window, *step);
  }
  if (form.router.Pressed()) return;
  // Also from an open text box, whose text is saved with the rest.
  if (IsQuickSaveKey(e.key)) {
    if (form.controls.ShownOnScreen(ButtonId(ToolbarButton::Save))) QuickSaveAndQuit(s);
    return;
  }
  if (form[ControlId::TextBox].visible) {
    // Enter ends the typing: the text is drawn, one step.
    if (e.key.code == key::kReturn) CommitOpenTextBox(form, s.annotate, s.services.surface);
    return;
  }
  if (mode == RunMode::MarkSelected && IsDeleteKey(e.key)) {
    return DeleteSelectedMark(form, s.annotate, s.services.surface);
  }
  if (const std::optional<ToolbarButton> button = ShortcutButton(e.key)) {
    if (!form.controls.ShownOnScreen(ButtonId(*button))) return;
    Event click;
    click.kind = K::Click;
    click.target = ButtonId(*button);
    click.button = button::kLeft;
    return ClickButton(s, click);
  }
  if (const std::optional<AimKey> aim = AimKeyOf(e.key)) return AimKeyOnWindow(s, *aim);
  if (!step) return;
  if (mode == RunMode::MarkSelected) {
    NudgeSelectedMark(form, s.annotate, s.services.surface, *step);
  } else if (mode == RunMode::SelectionFinished) {
    NudgeSelection(form, s.selection.drag, step->x, step->y);
  }
}

struct Entry {
  ControlId control;  // a control, or the first member of a group for all its members
  Event::Kind kind;
  Reaction reaction;
};

constexpr Entry kReactions[] = {
    // The window: by the run's mode, draw, move or throw away the selection, or draw a mark on
    // it (run/window_pointer.cpp); copy and leave; keys
    // (KeyOnWindow above, run/keys.cpp).
    {ControlId::Window, K::Down, PressOnWindow},
    {ControlId::Window, K::Move, MoveOnWindow},
    {ControlId::Window, K::Up, ReleaseOnWindow},
    {ControlId::Window, K::DoubleClick, DoubleClickOnWindow},
    {ControlId::Window, K::Key, KeyOnWindow},
    // The wheel goes out and in through what lies under the pointer (selection/suggestion.cpp).
    {ControlId::Window, K::Wheel,
     [](RunState& s, const Event& e) { WheelOnWindow(s.form, s.selection.aim, e.wheel); }},
    // The one timer: "已复制" has been read (selection/aim_keys.cpp).
    {ControlId::Window, K::Timer,
     [](RunState& s, const Event&) {
       TakeNoticeDown(s.form, s.selection.aim, s.services.surface);
     }},

    // The eight resize handles (selection/handle_resize.cpp).
    {ControlId::Handle_0, K::Down,
     [](RunState& s, const Event& e) {
       PressOnHandle(s.form, s.selection, s.annotate, s.services.surface, HandleOf(e));
     }},
    {ControlId::Handle_0, K::Move,
     [](RunState& s, const Event& e) {
       MoveOnHandle(s.form, s.selection, s.services.window, HandleOf(e), e.point.x, e.point.y);
     }},
    {ControlId::Handle_0, K::Up,
     [](RunState& s, const Event&) { ReleaseOnHandle(s.form, s.selection); }},

    // The toolbar strip and its buttons (annotate/toolbar.cpp, undo_redo.cpp;
    // run/copy_selection.cpp).
    {ControlId::Toolbar, K::Move,
     [](RunState& s, const Event&) { MoveOnToolbar(s.form, s.services.window); }},
    {ControlId::Button_0, K::Move,
     [](RunState& s, const Event& e) { MoveOnButton(s.form, ButtonOf(e)); }},
    {ControlId::Button_0, K::Click, ClickButton},

    // The style panel: the palette and the font size (annotate/style_panel.cpp).
    {ControlId::StylePanel, K::Move,
     [](RunState& s, const Event&) { MoveOnStylePanel(s.services.window); }},
    {ControlId::Swatch_0, K::Move,
     [](RunState& s, const Event& e) { MoveOnSwatch(s.form, IndexOf(e)); }},
    {ControlId::Swatch_0, K::Up,
     [](RunState& s, const Event& e) {
       ReleaseOnSwatch(s.form, IndexOf(e));
       RestyleSelectedMark(s.form, s.annotate, s.services.surface);
     }},
    {ControlId::Palette, K::Move, [](RunState& s, const Event&) { MoveOnPalette(s.form); }},
    {ControlId::FontPanel, K::Move, [](RunState& s, const Event&) { MoveOnFontPanel(s.form); }},
    {ControlId::FontSizeBox, K::Move, [](RunState& s, const Event&) { MoveOnFontSizeBox(s.form); }},
    {ControlId::FontSizeBox, K::Down,
     [](RunState& s, const Event&) { PressOnFontSizeBox(s.form, s.services.window); }},
    {ControlId::FontSizeList, K::ListChosen,
     [](RunState& s, const Event&) {
       FontSizeChosen(s.form);
       RestyleSelectedMark(s.form, s.annotate, s.services.surface);
     }},
    // The sizes and kinds of the tools that have them (annotate/tool_choices.cpp).
    {ControlId::Choice_0, K::Click,
     [](RunState& s, const Event& e) {
       ClickOnChoice(s.form, s.annotate, IndexOf(e));
       RestyleSelectedMark(s.form, s.annotate, s.services.surface);
     }},

    // The text tool's box (annotate/text_tool.cpp).
    {ControlId::TextBox, K::TextChanged,
     [](RunState& s, const Event&) { TextBoxChanged(s.form, s.services.surface); }},
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
