// What annotating keeps between events: the chosen tool, the tool's drag in progress and, for the
// pen and the highlighter, its path, and the sizes and kinds chosen on the style panel.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "annotate/mosaic.h"
#include "form/controls.h"
#include "form/mark.h"
#include "platform/types.h"

namespace capture {

// The chosen tool, whether a press on the selection draws with it, and the toolbar button clicked
// last (choosing the same tool twice in a row hides the style panel).
struct ToolChoice {
  Tool tool = Tool::None;
  bool active = false;
  ToolbarButton last_button = ToolbarButton::Undo;
  // The tool whose choices the style panel shows: the chosen one, or the selected mark's.
  Tool panel_tool = Tool::None;
};

// A drag with the chosen tool, from the press that starts it to the release that draws its mark.
// The text tool's drag goes on while the box its first release opened stays open.
class ToolDrag {
 public:
  bool InProgress() const { return start_.has_value(); }
  // Where the press that started it was; only while one is in progress.
  PointF Start() const { return start_.value(); }
  void Begin(PointF at) { start_ = at; }
  void End() { start_.reset(); }

 private:
  std::optional<PointF> start_;
};

// A pen or highlighter stroke while its press lasts: where it has been and what it has covered.
struct Freehand {
  RectI clip;   // the selection's pixels at the press: the stroke stays inside them
  float width;  // in picture pixels
  // The press, then each move's pointer pulled onto the selection; never empty.
  std::vector<PointF> points;
  // The preview shows the straight line from the press that Shift asks for, not the path.
  bool straight_shown = false;
  // The highlighter's one coverage: which pixels of `clip` the stroke covers so far (a byte each,
  // row by row), and the same pixels as spans, each pixel in exactly one, so that the whole
  // stroke is tinted once wherever it crosses itself.
  std::vector<std::uint8_t> covered;
  std::vector<Span> tinted;
};

// The settings of the tools that have sizes or kinds; each takes one of a few values, by their
// place on the style panel.
enum class ToolSetting { PenSize, HighlighterSize, MosaicKind, MosaicCells, StepSize };
inline constexpr std::size_t kToolSettings = 5;
// Every setting has at most three values.
inline constexpr int kSettingValues = 3;

// What the style panel has chosen for each setting: kept for the whole run, whichever tool is
// chosen meanwhile.
class ToolChoices {
 public:
  int operator[](ToolSetting setting) const { return chosen_[Index(setting)]; }
  // A value outside the setting's values is ignored.
  void Choose(ToolSetting setting, int value) {
    if (0 <= value && value < kSettingValues) chosen_[Index(setting)] = value;
  }

 private:
  static std::size_t Index(ToolSetting setting) { return static_cast<std::size_t>(setting); }
  // The middle size of each tool; the mosaic starts as blocks.
  std::array<int, kToolSettings> chosen_{1, 1, 0, 1, 1};
};

// A press on a drawn mark or on one of its handles, until its release.
struct MarkDrag {
  std::optional<int> handle;  // the handle dragged (MarkHandles' order); none: the mark moves
  PointF grab;                // the press
  MarkPtr before;             // the mark as it was at the press
  std::size_t place = 0;      // its place in the shown document
  MarkPtr now;                // the mark as the last move left it; none before the first
};

// The mark selected for editing, by its serial (0: none), and what a press does to it.
struct MarkEditing {
  std::uint64_t selected = 0;
  std::optional<MarkDrag> drag;
  // The mark the last release drew: a double-click's first click may have drawn it.
  std::uint64_t just_drawn = 0;
  // The text mark whose text the open text box holds again (0: the box makes a new mark).
  std::uint64_t retyped = 0;
  // The pointer shows that a press would take a mark.
  bool pointer_on_mark = false;
};

// Everything annotating keeps.
struct AnnotateState {
  ToolChoice choice;
  ToolDrag tool_drag;
  // A pen or highlighter stroke in progress: only while its press lasts.
  std::optional<Freehand> freehand;
  // A mosaic drag's blurred tiles: only while its press lasts.
  std::optional<MosaicDrag> mosaic;
  ToolChoices choices;
  MarkEditing edit;
};

}  // namespace capture
