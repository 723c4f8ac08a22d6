// CaptureForm: the state of the one full-screen window of a run: every field, child control and
// the history, with the operations on them that every behaviour shares (the copy, closing).
// Input reaches it through the run (run/capture_run.h); the platform shows what it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form/controls.h"
#include "form/event_router.h"
#include "form/freehand.h"
#include "form/history.h"
#include "form/tool_choices.h"
#include "platform/platform.h"

namespace capture {

// What a press on the window does: draw a new selection, or move (or throw away) the one there is.
enum class SelectionMode { Draw, Move };

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
  std::optional<ScreenCopy> CopyToClipboard(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                            std::int32_t y2);
  // Hides the selection's outline, its size and colour labels and its eight handles.
  void HideSelectionChrome();
  // Closes the capture window; the program ends after the current reaction.
  void CloseWindow();

  // ---- The state of the behaviours ----
  // The selection drag: the anchor of a new selection, the selection's top-left when a move
  // starts; the pointer's position at the press that starts a move (the grab point).
  float anchor_x = 0, anchor_y = 0;
  float grab_x = 0, grab_y = 0;
  SelectionMode selection_mode = SelectionMode::Draw;
  // A right press threw the selection away: its release does not quit.
  bool selection_thrown_away = false;
  // A handle drag: whether a handle press started a resize that its moves carry on, and the
  // selection's edges at that press.
  bool resizing = false;
  float resize_left = 0, resize_top = 0, resize_right = 0, resize_bottom = 0;
  // The chosen tool, and whether a press on the selection draws with it.
  Tool tool = Tool::None;
  bool tool_active = false;
  // The toolbar button clicked last (choosing the same tool twice in a row hides the panel).
  ToolbarButton last_button = ToolbarButton::Undo;
  // The sizes and kinds chosen on the style panel.
  ToolChoices choices;
  // The stroke in progress: its start point.
  bool stroke_active = false;
  float stroke_x = 0, stroke_y = 0;
  // A pen or highlighter stroke in progress: only while its press lasts.
  std::optional<Freehand> freehand;
  History history;

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
  // The selection rectangle: the Selection control's geometry, the one place it is kept, with its
  // edges taken to whole pixels.
  RectI SelectionRect() const;

  // Who receives each pointer event; the run's reaction table says what it does.
  EventRouter router;

 private:
  bool closed_ = false;
};

}  // namespace capture
