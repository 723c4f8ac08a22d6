// What the style panel has chosen for the tools that have sizes or kinds: kept for the whole run,
// whichever tool is chosen meanwhile.
#pragma once

#include <array>
#include <cstddef>

namespace capture {

// Each setting takes one of a few values, by their place in the panel.
enum class ToolSetting { PenSize, HighlighterSize, MosaicKind, MosaicCells, StepSize };
inline constexpr std::size_t kToolSettings = 5;
// Every setting has at most three values.
inline constexpr int kSettingValues = 3;

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

}  // namespace capture
