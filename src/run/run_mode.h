// The mode of a run: what the window's pointer and keys act on at this moment, as one value that
// the run's reactions dispatch on.
#pragma once

namespace capture {

struct RunState;

enum class RunMode {
  Aiming,             // no selection yet: the pointer outlines what a click would take
  DrawingSelection,   // a press is dragging out a new selection
  SelectionFinished,  // a selection with its toolbar, no tool chosen: a press moves it
  ToolChosen,         // a press inside the selection draws with the chosen tool
  MarkSelected,       // a mark shows its handles: keys and the style panel act on it
  MarkDragged,        // a press on a mark or one of its handles is moving or resizing it
  TextBoxOpen,        // the text box takes the keys; a press elsewhere draws its text
};

// The run's mode, read from what its behaviours keep: each fact is kept once, by the behaviour
// that changes it, and the mode is what they say together.
RunMode ModeOf(const RunState& state);

}  // namespace capture
