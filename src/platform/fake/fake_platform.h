// An in-memory platform for tests: pixels in plain buffers, calls recorded, dialogs answered from
// a script.
#pragma once

#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/fake/fake_gdiplus.h"
#include "platform/layered_surface.h"
#include "platform/pinboard.h"
#include "platform/platform.h"
#include "platform/scroller.h"

namespace capture::fake {

// Plain pixel buffers with simple drawing: enough to see which pixels an operation changed.
class FakeSurface : public LayeredSurface {
 public:
  struct TextCall {
    int x, y;
    std::u16string text;
    Colour colour;
    float points;
    int dpi;
  };

  SizeI Size() const override { return {background_.width, background_.height}; }
  bool Freeze(Screen& screen) override;
  // Throws std::bad_alloc while failing_freezes is above zero (and counts it down).
  void FreezePicture(const Picture& picture) override {
    if (failing_freezes > 0) {
      --failing_freezes;
      throw std::bad_alloc();
    }
    frozen_ = picture;
    FakeSurface::SetPicture(frozen_);
  }
  PixelView Frozen() const override { return PixelView::Of(frozen_); }
  void ShowFrozen(bool /*drawing_follows*/) override { FakeSurface::SetPicture(frozen_); }
  void SetPicture(const Picture& picture) override;
  void Paste(const Picture& picture, int x, int y) override;
  // Throws std::bad_alloc while failing_background_reads is above zero (and counts it down), as
  // taking a snapshot of a large screen can.
  PixelView Background() const override;
  // Throws std::bad_alloc while failing_copies is above zero (and counts it down).
  Picture Copy(const RectI& rect) const override;
  void CopyInto(const RectI& rect, Picture& to) const override { to = Copy(rect); }
  RectI TakeBackgroundChanges() override;
  RectI BackgroundChanges() const override { return background_changes_; }
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void Ellipse(int left, int top, int right, int bottom, Colour colour) override;
  void FillSpans(std::span<const Span> spans, Colour colour) override;
  void MultiplySpans(std::span<const Span> spans, Colour tint) override;
  void SetFontSize(float points, int dpi) override {
    font_points_ = points;
    font_dpi_ = dpi;
  }
  void Text(int x, int y, std::u16string_view text, Colour colour) override;
  void TextCentredOn(float x, float y, std::u16string_view text, Colour colour) override;
  float TextWidth(std::u16string_view text) const override;
  Colour Pixel(int x, int y) const override;

  const Picture& background() const { return background_; }
  const Picture& retained() const { return retained_; }
  // What the window shows beneath its child controls.
  const Picture& window_layer() const { return window_; }
  std::vector<TextCall> text_calls;
  mutable int failing_background_reads = 0;
  mutable int failing_copies = 0;
  int failing_freezes = 0;
  // Pixels restored by ShowFrozenIn.
  long long restored_pixels = 0;
  // Pixels painted or tinted by FillSpans and MultiplySpans, overlaps counted each time.
  long long span_pixels = 0;
  // Line, Box, Ellipse and Text throw std::bad_alloc while this is above zero (and count it down),
  // as the first drawing on a large screen can.
  int failing_draws = 0;
  int commits = 0;

 protected:
  void PreviewTakenBack() override { window_ = retained_; }
  void DrawingTakenBack() override { retained_ = background_; }
  void RetainedKept() override;
  void FrozenShownIn(const RectI& area) override;

 private:
  void FailIfAsked();
  // Whether drawing may change the pixel: on the surface and inside the clip, if any.
  bool DrawableAt(int x, int y) const {
    return !LayeredSurface::Drawable({x, y, x + 1, y + 1}).Empty();
  }
  void Plot(int x, int y, Colour colour);
  void DrawLine(int x1, int y1, int x2, int y2, Colour colour);

  Picture frozen_, background_, retained_, window_;
  RectI background_changes_;  // exact: the bounds of the pixels that changed
  float font_points_ = 9;
  int font_dpi_ = 96;
};

class FakeScreen : public Screen {
 public:
  explicit FakeScreen(Picture picture)
      : monitors{{{0, 0, picture.width, picture.height}, 96}}, picture_(std::move(picture)) {}
  Picture Grab() override { return picture_; }
  SizeI Size() const override { return {picture_.width, picture_.height}; }
  std::vector<Monitor> Monitors() const override { return monitors; }
  std::vector<DesktopElement> Elements() const override { return elements; }

  // One monitor covering the whole picture at 96 DPI unless a test sets others.
  std::vector<Monitor> monitors;
  // No windows unless a test sets some.
  std::vector<DesktopElement> elements;

 private:
  Picture picture_;
};

class FakeClipboard : public Clipboard {
 public:
  using Clipboard::PutBitmap;
  bool PutBitmap(const Picture& picture) override;

  bool EmptyIfStillOurs() override;
  bool StillOurs() override { return ours_ == changes_; }
  // Another program puts a picture on the clipboard, or (nothing) something that is no bitmap.
  void PutFromElsewhere(std::optional<Picture> other);
  bool PutText(std::u16string_view text) override;

  std::optional<Picture> content;
  std::optional<std::u16string> text;  // what PutText put, until a picture replaces it
  bool put_succeeds = true;            // false: PutBitmap fails and leaves the clipboard as it was
  int puts = 0;                        // PutBitmap calls, failed ones included
  SizeI last_put;                      // the size of the picture the last PutBitmap call was given
  int empties = 0;

 private:
  int changes_ = 0;          // counts every change, as the system's sequence number does
  std::optional<int> ours_;  // changes_ right after our last successful put
};

class FakeDialogs : public Dialogs {
 public:
  std::optional<std::u16string> AskSavePath(const SaveDialogRequest& request) override;
  void ShowMessage(const std::u16string& title, const std::u16string& text) override;
  std::u16string ProgramFolder() override { return program_folder; }

  std::optional<std::u16string> save_answer;  // what the save dialog returns
  std::vector<SaveDialogRequest> save_requests;
  struct Message {
    std::u16string title, text;
  };
  std::vector<Message> messages;
  std::u16string program_folder = u"C:\\Program Files\\Capture";
  std::function<void()> on_save_dialog;  // runs while the save dialog is "open"
  std::function<void()> on_message;      // runs while the message box is "open"
};

class FakeWindow : public Window {
 public:
  void SetPointer(Pointer p) override {
    pointer = p;
    pointer_history.push_back(p);
  }
  void Close() override { ++closes; }
  void PumpEvents() override;
  void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
  void FocusTextBox() override { text_box_focused = true; }
  bool FontSizeListDropped() override { return combo_dropped; }
  void ShowFontSizeList(bool show) override { combo_dropped = show; }
  SizeI DragDistance() override { return drag_distance; }
  void MovePointer(PointI p) override { pointer_moves.push_back(p); }
  void StartTimer(int milliseconds) override { timer = milliseconds; }

  Pointer pointer = Pointer::Default;
  std::vector<Pointer> pointer_history;
  int closes = 0;
  int pumps = 0;
  std::vector<int> sleeps;
  bool text_box_focused = false;
  bool combo_dropped = false;
  SizeI drag_distance{4, 4};  // Windows' default
  std::vector<PointI> pointer_moves;
  // The timer asked for last, in milliseconds; a test fires it through the run.
  std::optional<int> timer;
  std::function<void()> on_pump;  // runs as the pending events would
};

// Settings held in memory; what the run remembers is recorded.
class FakeSaveMemory : public SaveMemory {
 public:
  SaveSettings Saving() override { return settings; }
  void RememberSave(const std::u16string& folder, const std::u16string& format) override {
    settings.last_folder = folder;
    settings.last_format = format;
    ++remembered;
  }
  void QuickSaved(const std::u16string& path) override { quick_saved.push_back(path); }
  LocalTime Now() override { return now; }

  SaveSettings settings;
  int remembered = 0;
  std::vector<std::u16string> quick_saved;
  LocalTime now{2026, 3, 7, 9, 5, 4};
};

// Keeps the pins it is given, in order.
class FakePinboard : public Pinboard {
 public:
  struct Pinned {
    Picture picture;
    PointI top_left;
  };
  bool Pin(Picture picture, PointI top_left) override {
    if (!pin_succeeds) return false;
    pins.push_back({std::move(picture), top_left});
    return true;
  }
  std::vector<Pinned> pins;
  bool pin_succeeds = true;  // false: the pin's window cannot be made
};

// Delivers the picture it is given, or is cancelled; records each area and what it showed.
class FakeScroller : public Scroller {
 public:
  bool Scroll(const RectI& area, const std::function<std::u16string(Picture)>& deliver) override {
    areas.push_back(area);
    if (!joined) return false;
    if (on_scroll) on_scroll();
    said.push_back(deliver(*joined));
    return true;
  }
  std::optional<Picture> joined;     // what the session joins; nothing: the user cancels
  std::vector<RectI> areas;          // each session's area
  std::vector<std::u16string> said;  // what each delivery showed
  std::function<void()> on_scroll;   // runs while the session shows
};

// A whole fake platform with a screen of the given picture.
struct FakePlatform {
  explicit FakePlatform(Picture screen_picture) : screen(std::move(screen_picture)) {}

  FakeWindow window;
  FakeSurface surface;
  FakeScreen screen;
  FakeClipboard clipboard;
  FakeDialogs dialogs;
  FakeGdiplus gdiplus;
  FakeSaveMemory saving;
  FakePinboard pinboard;
  FakeScroller scroller;
  Platform platform{window,  surface, screen, clipboard, dialogs,
                    gdiplus, gdiplus, saving, &pinboard, &scroller};
};

// A picture whose every pixel differs from its neighbours, so copies can be checked exactly.
Picture NoisePicture(int width, int height, std::uint32_t seed = 1);
// Smooth shading with fine grain (noise of about +-grain per channel), like a photograph or a
// wallpaper: many colours, none of them far from its neighbours.
Picture PhotographicPicture(int width, int height, int grain = 1);
// A desktop: flat windows holding lines of dark "text" over a plain background.
Picture DesktopPicture(int width, int height);

// Sum of the rectangles' areas in pixels (overlaps counted twice): what a repaint costs.
long long TotalArea(const std::vector<RectI>& areas);

}  // namespace capture::fake
