// What annotating keeps between events: the chosen tool and the stroke in progress.
#pragma once

#include <optional>

#include "form/controls.h"
#include "platform/types.h"

namespace capture {

// The chosen tool, whether a press on the selection draws with it, and the toolbar button clicked
// last (choosing the same tool twice in a row hides the style panel).
struct ToolChoice {
  Tool tool = Tool::None;
  bool active = false;
  ToolbarButton last_button = ToolbarButton::Undo;
};

// The stroke in progress, from the press that starts it to the release that draws it. The text
// tool's stroke goes on while the box its first release opened stays open.
class Stroke {
 public:
  bool InProgress() const { return start_.has_value(); }
  // Where the press that started it was; only while one is in progress.
  PointF Start() const { return start_.value(); }
  void Begin(PointF at) { start_ = at; }
  void End() { start_.reset(); }

 private:
  std::optional<PointF> start_;
};

// Everything annotating keeps.
struct Annotation {
  ToolChoice choice;
  Stroke stroke;
};

}  // namespace capture
