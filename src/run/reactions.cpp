#include "run/reactions.h"

#include "annotate/shape_tools.h"
#include "annotate/style_panel.h"
#include "annotate/text_tool.h"
#include "annotate/toolbar.h"
#include "annotate/undo_redo.h"
#include "form/capture_form.h"
#include "run/copy_selection.h"
#include "run/finish.h"
#include "run/keys.h"
#include "selection/handle_resize.h"
#include "selection/selection_drag.h"

namespace capture {
namespace {

using K = Event::Kind;

int IndexOf(const Event& e) {
  return GroupOf(e.target).index;
}

// What each toolbar button does. Every click is remembered: choosing the same tool twice in a
// row hides the style panel.
void ToolbarButton_Click(CaptureForm& form, const Event& e) {
  const int index = IndexOf(e);
  switch (index) {
    case toolbar_button::kUndo:
      // An open box becomes an annotation first, so the undo takes back exactly that text and a
      // redo brings it back.
      CommitOpenTextBox(form);
      Undo(form);
      break;
    case toolbar_button::kRedo:
      Redo(form);
      break;
    case toolbar_button::kQuit:
      form.CloseWindow();
      break;
    case toolbar_button::kCopyQuit:
      CopyAndQuit(form);
      break;
    case toolbar_button::kSave:
      SaveAndQuit(form);
      break;
    default:
      ChooseTool(form, index);
      break;
  }
  form.LastBtn = index;
}

// A key on the window. Escape always closes. The other keys wait while a press is held, and
// leave an open text box its keys; a shortcut clicks its toolbar button when a click could reach
// it, and an arrow moves the selection.
void Form_KeyDown(CaptureForm& form, const Event& e) {
  if (e.key.code == key::kEscape) return form.CloseWindow();
  if (form.router.Pressed() || form[ControlId::TextEdit].visible) return;
  if (const std::optional<int> button = ShortcutButton(e.key)) {
    if (!form.controls.ShownOnScreen(Image2(*button))) return;
    Event click;
    click.kind = K::Click;
    click.target = Image2(*button);
    click.button = button::kLeft;
    return ToolbarButton_Click(form, click);
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
    // (Form_KeyDown above, run/keys.cpp).
    {ControlId::Window, K::Down,
     [](CaptureForm& f, const Event& e) { Form_MouseDown(f, e.button, e.point.x, e.point.y); }},
    {ControlId::Window, K::Move,
     [](CaptureForm& f, const Event& e) { Form_MouseMove(f, e.button, e.point.x, e.point.y); }},
    {ControlId::Window, K::Up,
     [](CaptureForm& f, const Event& e) { Form_MouseUp(f, e.button, e.point.x, e.point.y); }},
    {ControlId::Window, K::DoubleClick,
     [](CaptureForm& f, const Event& e) { Form_DblClick(f, e.point.x, e.point.y); }},
    {ControlId::Window, K::Key, Form_KeyDown},

    // The eight resize handles (selection/handle_resize.cpp).
    {ControlId::Image1_0, K::Down, [](CaptureForm& f, const Event&) { Image1_MouseDown(f); }},
    {ControlId::Image1_0, K::Move,
     [](CaptureForm& f, const Event& e) { Image1_MouseMove(f, IndexOf(e), e.point.x, e.point.y); }},
    {ControlId::Image1_0, K::Up, [](CaptureForm& f, const Event&) { Image1_MouseUp(f); }},

    // The toolbar strip and its buttons (annotate/toolbar.cpp, undo_redo.cpp;
    // run/copy_selection.cpp).
    {ControlId::Picture1, K::Move, [](CaptureForm& f, const Event&) { Picture1_MouseMove(f); }},
    {ControlId::Image2_0, K::Move,
     [](CaptureForm& f, const Event& e) { Image2_MouseMove(f, IndexOf(e)); }},
    {ControlId::Image2_0, K::Click, ToolbarButton_Click},

    // The style panel: the palette and the font size (annotate/style_panel.cpp).
    {ControlId::Picture2, K::Move, [](CaptureForm& f, const Event&) { Picture2_MouseMove(f); }},
    {ControlId::Pcolor_0, K::Move,
     [](CaptureForm& f, const Event& e) { Pcolor_MouseMove(f, IndexOf(e)); }},
    {ControlId::Pcolor_0, K::Up,
     [](CaptureForm& f, const Event& e) { Pcolor_MouseUp(f, IndexOf(e)); }},
    {ControlId::PicColor, K::Move, [](CaptureForm& f, const Event&) { PicColor_MouseMove(f); }},
    {ControlId::PicFont, K::Move, [](CaptureForm& f, const Event&) { PicFont_MouseMove(f); }},
    {ControlId::PicCombox, K::Move, [](CaptureForm& f, const Event&) { PicCombox_MouseMove(f); }},
    {ControlId::PicCombox, K::Down, [](CaptureForm& f, const Event&) { PicCombox_MouseDown(f); }},
    {ControlId::Combo1, K::ListChosen, [](CaptureForm& f, const Event&) { Combo1_Click(f); }},

    // The text tool's box (annotate/text_tool.cpp).
    {ControlId::TextEdit, K::TextChanged, [](CaptureForm& f, const Event&) { TextEdit_Change(f); }},
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
