// Drives the capture window with window events decoded from the fuzzer's input, on a small noise
// screen, and checks after every event that the history still holds together: the index
// within range, the window's picture exactly the shown document drawn afresh; that a drawing that
// failed left the history as it was and was reported; that no press left behind a half-drawn shape
// (once no press is in progress, nothing is being dragged out and the window shows the retained
// image); that no mark lies outside the picture, however it was drawn, moved or resized; that a
// copy holds the selection as it was when the event that copied began, whatever a press queued
// during the copy did; and that the magnifier stays on the screen. The screen lists a few windows
// and controls to aim at, and earlier selections for `,` and `.`; a pointer the window moved (an
// arrow key while aiming) comes back as a move.
//
// Input format (make_corpus.py writes seeds in it), read from the front, missing bytes read as 0:
//   byte: odd = the save dialog answers with a path, even = it is cancelled
//   then events until the input ends or the window closes:
//   byte kind % 10: 0-1 press, 2-4 move, 5-6 release, 7 double-click, 8 key, 9 text or list
//   press, release, double-click: byte button choice (mostly one button); move: byte buttons
//     held % 8; then a byte (2: Shift held, not for a double-click), point
//     point: byte mode; even: x (2 bytes, big-endian) and y (1 byte) on or just off the screen;
//            odd: byte control id, byte dx, byte dy: near that control's top-left
//   key: byte virtual-key code, byte modifiers (1 Ctrl, 2 Shift, 4 Alt; Escape only with none)
//   other: byte % 10: 0-2 text or list (TextBox, FontSizeField, FontSizeList list item), then for
//   text a byte
//     length % 9 and per character a byte (FontSizeField: digits mostly) or 2 bytes, for the list a
//     byte; 3 another window takes the pointer; 4 the next drawing fails (out of memory); 5 then a
//     byte: the next 1 + byte % 8 drawings fail (out of memory); 6 then a button choice and a
//     point: a click there is queued and runs when the next copy lets pending events run; 7 the
//     wheel: a byte, notches byte % 7 - 3, and a point; 8 an aiming key: a byte choosing an
//     arrow, Shift+arrow, Ctrl+A, C, Shift+C, `,` or `.`; 9 the window's timer runs out, if the
//     run asked for one
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "annotate/mark_edit.h"
#include "annotate/mark_gestures.h"
#include "annotate/render.h"
#include "form/capture_form.h"
#include "platform/fake/fake_platform.h"
#include "run/capture_run.h"

namespace capture {
namespace {

// Wide enough for the toolbar strip (367 1/3 pixels); high enough for a selection taller than the
// size and colour labels at its top, with the strip and the style panel below it.
constexpr int kScreenWidth = 372;
constexpr int kScreenHeight = 160;
// A drag keeps reporting the pointer after it has left the window.
constexpr int kOutside = 8;
constexpr int kMaxEvents = 500;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return size_ == 0; }
  int Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  int Word() { return Byte() << 8 | Byte(); }
  // A value in [low, high], from one byte when the range allows, else two.
  int Range(int low, int high) {
    const int span = high - low + 1;
    return low + (span <= 256 ? Byte() : Word()) % span;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

[[noreturn]] void Fail(const char* what, long value) {
  std::fprintf(stderr, "capture window broken: %s (%ld)\n", what, value);
  std::abort();
}

// Checks the history after an event: the shown document within range and, whenever it or the
// picture changed, the picture the window holds equal to the shown document (with a dragged mark
// where the drag has it) drawn afresh on the frozen screen, unless a drawing that failed left the
// history told that it may not be.
class HistoryCheck {
 public:
  void operator()(CaptureForm& form, const AnnotateState& annotate, fake::FakePlatform& fake) {
    History& history = form.history;
    if (history.Current() < 1) Fail("no document shown", history.Current());
    if (history.Current() > history.Count()) Fail("shown past the newest", history.Current());
    for (const MarkPtr& mark : history.Shown().marks) {
      const BoxF box = MarkBox(*mark);
      if (box.left < 0 || box.top < 0 || box.right > kScreenWidth || box.bottom > kScreenHeight) {
        Fail("a mark lies outside the picture", static_cast<long>(mark->kind));
      }
    }
    if (history.PictureStale()) return;
    const Document showing =
        annotate.edit.drag ? Showing(history, *annotate.edit.drag) : history.Shown();
    const std::vector<MarkPtr>& marks = showing.marks;
    if (marks == marks_ && fake.surface.background() == picture_) return;
    fake::FakeSurface fresh;
    fresh.Freeze(fake.screen);
    fresh.EndPreview();
    History drawn;
    drawn.Start();
    ShowDocument(showing, drawn, fresh);
    if (fresh.background() != fake.surface.background()) {
      Fail("the picture is not the document", static_cast<long>(marks.size()));
    }
    marks_ = marks;
    picture_ = fake.surface.background();
  }

 private:
  std::vector<MarkPtr> marks_;  // the shown document's marks at the last full check
  Picture picture_;
};

int Button(Input& in) {
  // Mostly one button, as presses and releases come; now and then several, or none.
  static constexpr std::array<int, 12> kButtons = {1, 1, 1, 1, 1, 2, 2, 4, 3, 5, 6, 0};
  return kButtons[static_cast<std::size_t>(in.Range(0, static_cast<int>(kButtons.size()) - 1))];
}

// A point anywhere on or just off the screen, or near a control, so that the toolbar buttons,
// the handles and the style panel are hit often enough to get past them.
PointF Point(Input& in, const CaptureForm& form) {
  int x, y;
  if (in.Byte() % 2 == 0) {
    x = in.Range(-kOutside, kScreenWidth + kOutside);
    y = in.Range(-kOutside, kScreenHeight + kOutside);
  } else {
    const auto id = static_cast<ControlId>(in.Range(0, static_cast<int>(ControlId::Count) - 1));
    const PointF origin = form.controls.Origin(id), size = form.controls.Extent(id);
    const int width = std::clamp(static_cast<int>(size.x), 0, 250);
    const int height = std::clamp(static_cast<int>(size.y), 0, 250);
    x = std::clamp(static_cast<int>(origin.x) + in.Range(-2, width + 2), -kOutside,
                   kScreenWidth + kOutside);
    y = std::clamp(static_cast<int>(origin.y) + in.Range(-2, height + 2), -kOutside,
                   kScreenHeight + kOutside);
  }
  return {static_cast<float>(x), static_cast<float>(y)};
}

// Font sizes are mostly digits, sometimes anything at all.
std::u16string Text(Input& in, bool mostly_digits) {
  std::u16string text(static_cast<std::size_t>(in.Range(0, 8)), u'0');
  for (char16_t& c : text) {
    const int b = in.Byte();
    if (mostly_digits && b < 200) {
      c = static_cast<char16_t>(u'0' + b % 10);
    } else if (b < 128) {
      c = static_cast<char16_t>(b);
    } else {
      c = static_cast<char16_t>(in.Word());
    }
  }
  return text;
}

// The keys that aim, which random key bytes seldom hit: code, Ctrl, Shift, Alt.
KeyStroke AimingKey(Input& in) {
  static constexpr std::array<KeyStroke, 13> kKeys = {{
      {key::kLeft, false, false, false},
      {key::kUp, false, false, false},
      {key::kRight, false, false, false},
      {key::kDown, false, false, false},
      {key::kLeft, false, true, false},
      {key::kUp, false, true, false},
      {key::kRight, false, true, false},
      {key::kDown, false, true, false},
      {'A', true, false, false},
      {'C', false, false, false},
      {'C', false, true, false},
      {key::kComma, false, false, false},
      {key::kPeriod, false, false, false},
  }};
  return kKeys[static_cast<std::size_t>(in.Range(0, static_cast<int>(kKeys.size()) - 1))];
}

// A click that waits in the window's queue until a copy lets pending events run.
struct QueuedClick {
  int button = 0;
  PointF point;
};

void Step(Input& in, CaptureRun& run, fake::FakePlatform& fake,
          std::optional<QueuedClick>& queued) {
  const CaptureForm& form = run.form();
  static constexpr std::array<const char16_t*, 9> kComboItems = {u"6",  u"8",  u"9",  u"10", u"11",
                                                                 u"12", u"14", u"18", u"20"};
  const int kind = in.Byte() % 10;
  if (kind <= 7) {
    const int button = kind >= 2 && kind <= 4 ? in.Byte() % 8 : Button(in);
    const bool shift = (in.Byte() & 2) != 0;  // a mark drawn or resized square, at 45 degrees
    const PointF p = Point(in, form);
    if (kind <= 1) return run.MouseDown(button, p.x, p.y, shift);
    if (kind <= 4) return run.MouseMove(button, p.x, p.y, shift);
    if (kind <= 6) return run.MouseUp(button, p.x, p.y, shift);
    return run.DoubleClick(button, p.x, p.y);
  }
  if (kind == 8) {
    KeyStroke key;
    key.code = in.Byte();
    const int modifiers = in.Byte();
    key.ctrl = (modifiers & 1) != 0;
    key.shift = (modifiers & 2) != 0;
    key.alt = (modifiers & 4) != 0;
    // Escape ends the run: let it through only now and then, so runs go deep.
    if (key.code == key::kEscape && modifiers != 0) key.code = 'A';
    return run.KeyPress(key);
  }
  switch (in.Byte() % 10) {
    case 7: {
      const int notches = in.Byte() % 7 - 3;
      const PointF p = Point(in, form);
      return run.MouseWheel(notches, p.x, p.y);
    }
    case 8: {
      const std::size_t moves = fake.window.pointer_moves.size();
      run.KeyPress(AimingKey(in));
      // The system reports the pointer the window moved as a move, the buttons held as they were.
      if (fake.window.pointer_moves.size() == moves || form.Closed()) return;
      const PointI to = fake.window.pointer_moves.back();
      return run.MouseMove(form.router.Pressed() ? button::kLeft : 0, static_cast<float>(to.x),
                           static_cast<float>(to.y));
    }
    case 9:
      if (!fake.window.timer) return;
      fake.window.timer.reset();
      return run.TimerElapsed();
    case 3:
      return run.CaptureLost();
    case 4:
      fake.surface.failing_draws = 1;
      return;
    case 5:
      fake.surface.failing_draws = 1 + in.Byte() % 8;
      return;
    case 6: {
      const int button = Button(in);
      queued = QueuedClick{button, Point(in, form)};
      return;
    }
    case 0:
      return run.TextChanged(ControlId::TextBox, Text(in, false));
    case 1:
      return run.TextChanged(ControlId::FontSizeField, Text(in, true));
    default:
      return run.ComboClick(ControlId::FontSizeList,
                            kComboItems[static_cast<std::size_t>(
                                in.Range(0, static_cast<int>(kComboItems.size()) - 1))]);
  }
}

// Once no press is in progress, no shape is being dragged out (an open text box keeps the pen
// down, and is no preview) and, right after a press ended, the window shows the retained image: a
// press that ended without its release (lost pointer, failed reaction) left nothing half-drawn.
void CheckNoPressLeftOver(const CaptureRun& run, const fake::FakePlatform& fake, bool was_pressed) {
  const CaptureForm& form = run.form();
  if (form.router.Pressed() || form.Closed()) return;
  if (run.state().annotate.tool_drag.InProgress() && !form[ControlId::TextBox].visible)
    Fail("a shape outlived its press", 0);
  if (!fake.surface.Persistent()) Fail("persistent drawing off with no press", 0);
  // Comparing the pictures is what costs: only where a press has just ended.
  if (was_pressed && fake.surface.window_layer() != fake.surface.retained()) {
    Fail("a preview outlived its press", 0);
  }
}

// The magnifier keeps on the monitor (the whole screen here), wherever the pointer is.
void CheckMagnifier(const CaptureForm& form) {
  if (!form.controls.ShownOnScreen(ControlId::Magnifier)) return;
  const PointF at = form.controls.Origin(ControlId::Magnifier);
  const PointF size = form.controls.Extent(ControlId::Magnifier);
  if (at.x < 0 || at.y < 0 || at.x + size.x > kScreenWidth || at.y + size.y > kScreenHeight) {
    Fail("the magnifier left the monitor", static_cast<long>(at.x));
  }
}

// A copy an event made is the selection as it was when that event began: a click queued during
// the copy changes nothing of it.
void CheckCopy(const RectI& selection, int puts_before, const fake::FakePlatform& fake) {
  const fake::FakeClipboard& clipboard = fake.clipboard;
  if (clipboard.puts == puts_before) return;
  const SizeI size{selection.right - selection.left, selection.bottom - selection.top};
  if (clipboard.last_put != size) Fail("the copy is not the selection", clipboard.last_put.width);
}

}  // namespace
}  // namespace capture

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace capture;
  Input in(data, size);
  static const Picture kScreen = fake::NoisePicture(kScreenWidth, kScreenHeight, 1);
  fake::FakePlatform fake(kScreen);
  if (in.Byte() % 2 == 1) fake.dialogs.save_answer = u"C:\\captures\\shot.png";
  // Two windows, one with a control and a control inside that, one partly off the screen.
  fake.screen.elements = {{{20, 10, 200, 120}, -1},
                          {{30, 30, 150, 100}, 0},
                          {{40, 40, 90, 60}, 1},
                          {{250, -20, 400, 90}, -1}};
  CaptureForm form(fake.window, fake.screen);
  CaptureRun run(form, fake.platform);
  // Earlier selections: on the screen, partly off it, wholly off it.
  run.state().selection.aim.RecallFrom(
      {{10, 10, 110, 70}, {300, 100, 500, 300}, {-90, -90, -10, -10}, {0, 0, 372, 160}});
  HistoryCheck check;
  std::optional<QueuedClick> queued;
  fake.window.on_pump = [&run, &queued] {
    if (!queued) return;
    const QueuedClick click = *queued;
    queued.reset();
    run.MouseDown(click.button, click.point.x, click.point.y);
    run.MouseUp(click.button, click.point.x, click.point.y);
  };

  run.Load();
  check(form, run.state().annotate, fake);
  for (int i = 0; i < kMaxEvents && !form.Closed() && !in.Done(); ++i) {
    const History& history = form.history;
    const int shown = history.Current(), count = history.Count();
    const bool armed = fake.surface.failing_draws == 1;
    const std::size_t reports = fake.dialogs.messages.size();
    const RectI selection = form.SelectionRect();
    const int puts = fake.clipboard.puts;
    const bool pressed = form.router.Pressed();
    Step(in, run, fake, queued);
    if (armed && fake.surface.failing_draws == 0) {
      // A drawing failed: the history is all or nothing, and the user was told.
      if (history.Current() != shown || history.Count() != count)
        Fail("a failed drawing moved the history", shown);
      if (fake.dialogs.messages.size() != reports + 1) Fail("a failed drawing was not reported", 0);
    }
    check(form, run.state().annotate, fake);
    CheckNoPressLeftOver(run, fake, pressed);
    CheckCopy(selection, puts, fake);
    CheckMagnifier(form);
  }
  return 0;
}
