// CaptureForm: the state of the one full-screen window of a run: every field, child control and
// the snapshot store, with the operations on them that every behaviour shares (the copy, closing).
// Input reaches it through the run (run/capture_run.h); the platform shows what it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form/controls.h"
#include "form/event_router.h"
#include "form/snapshot_store.h"
#include "platform/platform.h"

namespace capture {

// What a press on the window does: draw a new selection, or move (or throw away) the one there is.
enum class SelectionMode { Draw, Move };
// Whether a handle press started a resize that the handle's moves carry on.
enum class Sizing { Stop, Start };
// The annotation tools, told apart by the tooltip of their toolbar button (which ToolName holds).
enum class Tool { None, Rectangle, Ellipse, Arrow, Text };

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

  // True once the window has been closed: the platform ends the program.
  bool Closed() const { return closed_; }

  // ---- Window operations ----
  // Copies the screen rectangle x1, y1 (inclusive) to x2, y2 (exclusive) to the clipboard and
  // returns the copy; nothing when Escape closed the window while it repainted.
  std::optional<ScreenCopy> ScrnCap(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                    std::int32_t y2);
  // Hides the selection's outline, its size and colour labels and its eight handles.
  void HideSelection();
  // Closes the capture window; the program ends after the current reaction.
  void CloseWindow();

  // ---- Fields, under their own names ----
  // The selection's anchor while it is drawn, its top-left when a move starts.
  float SelX = 0, SelY = 0;
  float SelRight = 0, SelBottom = 0;
  float SelLeft = 0, SelTop = 0;
  float MoveX = 0, MoveY = 0;
  SelectionMode SelMode = SelectionMode::Draw;
  Sizing SizeState = Sizing::Stop;
  PointI CurPos;
  bool SelCleared = false;  // a right press threw the selection away: its release does not quit
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

  // The desktop's monitors as the screen listed them when the form was made or at the last
  // display change.
  std::vector<Monitor> monitors;
  // The chrome takes the DPI of the monitor that holds the selection's bottom-right corner, the
  // one the toolbar is placed on; every placement around the selection calls this first.
  void ScaleChromeToSelection();

  // The virtual screen's size in pixels: every monitor, as the window covers them.
  float ScreenWidth() const;
  float ScreenHeight() const;
  // The selection rectangle: Shape1's geometry, the one place it is kept, with its edges taken to
  // whole pixels.
  RectI SelRect() const;

  // Who receives each pointer event; the run's reaction table says what it does.
  EventRouter router;

 private:
  bool closed_ = false;
};

// The tool a toolbar button's tooltip names; Tool::None for any other text.
Tool ToolOf(std::u16string_view tooltip);
// The tool ToolName holds.
inline Tool ChosenTool(const CaptureForm& form) {
  return ToolOf(form.ToolName);
}

// Rounds to the nearest whole number, halves to the even neighbour (as CLng does).
std::int32_t RoundHalfEven(float value);

}  // namespace capture
