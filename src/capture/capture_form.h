// CaptureForm: the one full-screen window of a run. It owns every field, child control and the
// snapshot store; the platform feeds it window-level input and shows what it decides.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "annotate/snapshot_store.h"
#include "capture/controls.h"
#include "capture/event_router.h"
#include "platform/platform.h"

namespace capture {

// Mode texts, compared exactly.
inline constexpr std::u16string_view kModeDraw = u"draw";
inline constexpr std::u16string_view kModeMove = u"move";
inline constexpr std::u16string_view kSizeStart = u"Start";
inline constexpr std::u16string_view kSizeStop = u"Stop";

// A copy of a rectangle of the window's picture, and whether the clipboard took it.
struct ScreenCopy {
  Picture picture;
  bool on_clipboard = false;
};

class CaptureForm {
 public:
  explicit CaptureForm(Platform& platform);
  CaptureForm(const CaptureForm&) = delete;
  CaptureForm& operator=(const CaptureForm&) = delete;

  // ---- Window-level input, as the platform unpacks it. Button codes: see types.h. ----
  // Runs once, before the window is first shown: freezes the screen into the surface and stores
  // it as the first snapshot. Throws StartupFailed (run_error.h) when the screen cannot be read
  // or a buffer cannot be made; the run cannot go on then.
  void Load();
  void MouseDown(int button, int shift, float x, float y);
  void MouseMove(int buttons, int shift, float x, float y);
  void MouseUp(int button, int shift, float x, float y);
  // The second press of a double-click, which Windows sends in place of a press.
  void DoubleClick(int button, int shift, float x, float y);
  void KeyPress(char16_t key);
  // A native text box's text changed (by the user, or mirrored from a change the form made).
  void TextChanged(ControlId box, const std::u16string& text);
  // An item was chosen from the combo box's list; `text` is the combo box's text now.
  void ComboClick(ControlId combo, const std::u16string& text);
  // Another window took the pointer while buttons were held (a modal dialog, the font-size list):
  // the press is over without a release.
  void CaptureLost();

  // True once the window has been closed: the platform ends the program.
  bool Closed() const { return closed_; }

  // ---- Window operations ----
  // Copies the screen rectangle x1, y1 (inclusive) to x2, y2 (exclusive) to the clipboard and
  // returns the copy; nothing when Escape closed the window while it repainted.
  std::optional<ScreenCopy> ScrnCap(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                    std::int32_t y2);
  // Splits a COLORREF into red, green and blue with signed div/mod (so -1 gives -1, 0, 0).
  static void SplitRGB(std::int32_t colour, std::int32_t& red, std::int32_t& green,
                       std::int32_t& blue);
  // Lays the eight handles out around Shape1 and shows them.
  void ImageMove();
  // Asks for a file name and saves the picture there; true only when the file was written. Then
  // empties the clipboard, if it still holds the copy that ScrnCap put there.
  [[nodiscard]] bool CutdSave(const Picture& picture);
  // Closes the capture window; the program ends after the current reaction.
  void CloseWindow();

  // ---- Fields, under their own names ----
  float SelX = 0, SelY = 0;
  float SelRight = 0, SelBottom = 0;
  float SelLeft = 0, SelTop = 0;
  float MoveX = 0, MoveY = 0;
  std::u16string SelMode;
  std::u16string SizeState;
  RectI SelRect;
  PointI CurPos;
  std::int32_t SelCleared = 0;
  bool DrawOn = false;
  std::u16string ToolName;
  bool PenDown = false;
  std::int32_t LastBtn = 0;
  float DrawX = 0, DrawY = 0;
  SnapshotStore store;  // Bag, Snap, SnapIdx, SnapMax

  Controls controls;
  Platform& platform;

  Control& operator[](ControlId id) { return controls[id]; }
  const Control& operator[](ControlId id) const { return controls[id]; }

  // The screen's size in pixels.
  float ScreenWidth() const;
  float ScreenHeight() const;
  // The selection (Shape1) with its edges taken to whole pixels.
  RectI SelectionRect() const;

 private:
  // Runs one reaction. An exception it throws is reported in the "错误" box and ends the press;
  // the run goes on.
  template <typename Reaction>
  void Guarded(Reaction&& reaction);

  EventRouter router_;
  bool closed_ = false;
};

// Rounds to the nearest whole number, halves to the even neighbour (as CLng does).
std::int32_t RoundHalfEven(float value);

}  // namespace capture
