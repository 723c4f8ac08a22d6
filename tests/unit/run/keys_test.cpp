#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "annotate/annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

KeyStroke Key(int code, bool shift = false) {
  return {code, false, shift, false};
}
KeyStroke Ctrl(int code, bool shift = false) {
  return {code, true, shift, false};
}

// Where every control is and whether it shows.
void ExpectSameLayout(const CaptureForm& actual, const CaptureForm& expected) {
  for (std::size_t i = 0; i < actual.controls.All().size(); ++i) {
    const Control& a = actual.controls.All()[i];
    const Control& e = expected.controls.All()[i];
    EXPECT_EQ(a.visible, e.visible) << a.name;
    EXPECT_FLOAT_EQ(a.left, e.left) << a.name;
    EXPECT_FLOAT_EQ(a.top, e.top) << a.name;
    EXPECT_FLOAT_EQ(a.width, e.width) << a.name;
    EXPECT_FLOAT_EQ(a.height, e.height) << a.name;
  }
}

// Everything a key could change: the controls, the selection, the picture and its history, and
// what left the window.
struct Outcome {
  explicit Outcome(const AnnotateHarness& h)
      : picture(h.Shown()),
        snap_idx(h.form.history.Current()),
        sel_x(h.drag().anchor.x),
        sel_y(h.drag().anchor.y),
        closed(h.form.Closed()),
        clipboard(h.fake.clipboard.puts + h.fake.clipboard.empties),
        save_dialogs(h.fake.dialogs.save_requests.size()),
        pins(h.fake.pinboard.pins.size()),
        scrolls(h.fake.scroller.areas.size()) {
    for (const Control& c : h.form.controls.All()) {
      controls.push_back({c.left, c.top, c.width, c.height, c.visible ? 1.f : 0.f});
      captions.push_back(c.caption);
    }
  }
  friend bool operator==(const Outcome&, const Outcome&) = default;

  std::vector<std::vector<float>> controls;
  std::vector<std::u16string> captions;
  Picture picture;
  int snap_idx;
  float sel_x, sel_y;
  bool closed;
  int clipboard;
  std::size_t save_dialogs;
  std::size_t pins;
  std::size_t scrolls;
};

// An arrow moves the selection as a press inside it, a drag by the same step and a release do:
// the labels, the handles and the toolbar strip follow, and at the screen's edges both stop at
// the same place.
TEST(Keys, Arrows_MoveTheSelectionAsAMoveDragDoes) {
  struct Case {
    KeyStroke key;
    int times;
    float dx, dy;  // the drag that does the same
  };
  const Case cases[] = {
      {Key(key::kLeft), 1, -1, 0},          {Key(key::kUp), 1, 0, -1},
      {Key(key::kRight, true), 2, 20, 0},   {Key(key::kDown, true), 1, 0, 10},
      {Key(key::kLeft, true), 11, -110, 0},  // stops at the left edge
      {Key(key::kUp, true), 11, 0, -110},    // at the top
      {Key(key::kRight, true), 40, 400, 0},  // at the right
      {Key(key::kDown, true), 40, 0, 400},   // at the bottom: the strip moves inside
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.key.code << " x" << c.times);
    AnnotateHarness keys, drag;
    for (int i = 0; i < c.times; ++i) keys.run.KeyPress(c.key);
    drag.Drag(200, 200, 200 + c.dx, 200 + c.dy);

    ExpectSameLayout(keys.form, drag.form);
    EXPECT_FLOAT_EQ(keys.drag().anchor.x, drag.drag().anchor.x);
    EXPECT_FLOAT_EQ(keys.drag().anchor.y, drag.drag().anchor.y);
    const Control& moved = keys[ControlId::Selection];
    EXPECT_TRUE(moved.left != 100 || moved.top != 100);
  }
}

// Each shortcut does exactly what a click on its toolbar button does.
TEST(Keys, Shortcuts_ActAsTheirButtons) {
  struct Case {
    const char* name;
    KeyStroke key;
    ToolbarButton button;
  };
  const Case cases[] = {
      {"Enter", Key(key::kReturn), ToolbarButton::CopyQuit},
      {"Ctrl+C", Ctrl('C'), ToolbarButton::CopyQuit},
      {"Ctrl+S", Ctrl('S'), ToolbarButton::Save},
      {"Ctrl+Z", Ctrl('Z'), ToolbarButton::Undo},
      {"Ctrl+Y", Ctrl('Y'), ToolbarButton::Redo},
      {"Ctrl+Shift+Z", Ctrl('Z', true), ToolbarButton::Redo},
      {"F3", Key(key::kF3), ToolbarButton::Pin},
      {"L", Key('L'), ToolbarButton::ScrollCapture},
  };
  // Two rectangles, the second undone: both undo and redo have something to do.
  const auto arrange = [](AnnotateHarness& h) {
    h.fake.dialogs.save_answer = u"C:\\shots\\a.png";
    h.ClickOn(ButtonId(ToolbarButton::Rectangle));
    h.Drag(110, 150, 150, 190);
    h.Drag(160, 150, 200, 190);
    h.ClickOn(ButtonId(ToolbarButton::Undo));
    h.fake.scroller.joined = Picture(3, 900);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AnnotateHarness keys, click;
    arrange(keys);
    arrange(click);
    const Outcome before(keys);

    keys.run.KeyPress(c.key);
    click.ClickOn(ButtonId(c.button));

    EXPECT_NE(Outcome(keys), before);
    EXPECT_EQ(Outcome(keys), Outcome(click));
    EXPECT_EQ(keys.choice().last_button, click.choice().last_button);
  }
}

// A tool's letter is a click on its button: the first chooses the tool and shows its panel, the
// second hides the panel.
TEST(Keys, ToolLetters_ActAsTheirButtons) {
  const std::pair<int, ToolbarButton> cases[] = {
      {'R', ToolbarButton::Rectangle}, {'E', ToolbarButton::Ellipse},
      {'A', ToolbarButton::Arrow},     {'T', ToolbarButton::Text},
      {'P', ToolbarButton::Pen},       {'H', ToolbarButton::Highlighter},
      {'M', ToolbarButton::Mosaic},    {'N', ToolbarButton::Steps}};
  for (const auto& [letter, button] : cases) {
    SCOPED_TRACE(static_cast<char>(letter));
    AnnotateHarness keys, click;
    for (const bool panel_shown : {true, false}) {
      keys.run.KeyPress(Key(letter));
      click.ClickOn(ButtonId(button));
      EXPECT_EQ(Outcome(keys), Outcome(click));
      EXPECT_EQ(keys.choice().tool, ToolOf(button));
      EXPECT_EQ(keys[ControlId::StylePanel].visible, panel_shown);
    }
  }
}

// No key acts where its button or a move drag could not: without a selection, during a press,
// with a tool chosen (arrows), with the text box open (its keys but Enter are the box's); nor does
// a key with other modifiers.
TEST(Keys, WhereNoClickOrDragCouldAct_KeysDoNothing) {
  const std::vector<KeyStroke> all = {
      Key(key::kReturn), Ctrl('C'),       Ctrl('S'),       Ctrl('Z'),
      Ctrl('Y'),         Ctrl('Z', true), Key(key::kLeft), Key(key::kDown, true),
      Key('R'),          Key('N'),        Key('L')};
  struct Situation {
    const char* name;
    std::function<void(AnnotateHarness&)> arrange;
    std::vector<KeyStroke> keys;
  };
  const Situation situations[] = {
      {"selection thrown away", [](AnnotateHarness& h) { h.Click(200, 200, button::kRight); }, all},
      {"move drag held",
       [](AnnotateHarness& h) {
         h.run.MouseDown(button::kLeft, 200, 200);
         h.run.MouseMove(button::kLeft, 210, 210);
       },
       all},
      {"toolbar button held down",
       [](AnnotateHarness& h) {
         const PointF p = h.Centre(ButtonId(ToolbarButton::Quit));
         h.run.MouseDown(button::kLeft, p.x, p.y);
       },
       all},
      {"tool chosen",
       [](AnnotateHarness& h) { h.ClickOn(ButtonId(ToolbarButton::Rectangle)); },
       {Key(key::kLeft), Key(key::kUp, true)}},
      {"text box open",
       [](AnnotateHarness& h) {
         h.ClickOn(ButtonId(ToolbarButton::Text));
         h.Click(150, 160);
         h.run.TextChanged(ControlId::TextBox, u"ab");
       },
       {all.begin() + 1, all.end()}},  // but Enter, which draws the text
      {"other modifiers",
       [](AnnotateHarness&) {},
       {{'C', false, false, true},
        Key('Z'),
        {'S', true, false, true},
        Ctrl('C', true),
        Ctrl('Y', true),
        Key(key::kReturn, true),
        Ctrl(key::kReturn),
        Ctrl(key::kLeft),
        {key::kRight, false, false, true},
        Key('P', true),
        Ctrl('R'),
        {'H', false, false, true},
        Key('L', true),
        Ctrl('L')}},
  };
  for (const Situation& s : situations) {
    AnnotateHarness h;
    s.arrange(h);
    const Outcome before(h);
    for (const KeyStroke& key : s.keys) {
      h.run.KeyPress(key);
      EXPECT_EQ(Outcome(h), before) << s.name << ", key " << key.code << " ctrl " << key.ctrl
                                    << " shift " << key.shift << " alt " << key.alt;
    }
  }
}

TEST(Keys, Escape_ClosesAlsoWithTheTextBoxOpen) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Text));
  h.Click(150, 160);
  ASSERT_TRUE(h[ControlId::TextBox].visible);
  h.run.KeyPress(Key(key::kEscape));
  EXPECT_TRUE(h.form.Closed());
}

}  // namespace
}  // namespace capture
