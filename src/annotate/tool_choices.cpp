#include "annotate/tool_choices.h"

#include <array>
#include <cstddef>

#include "annotate/mosaic.h"
#include "form/capture_form.h"

namespace capture {
namespace {

// The design sizes each setting chooses between, by value.
constexpr std::array<float, kSettingValues> kPenWidths = {2, 4, 8};
constexpr std::array<float, kSettingValues> kHighlighterWidths = {12, 18, 24};
constexpr std::array<float, kSettingValues> kMosaicCells = {8, 12, 20};
constexpr std::array<float, kSettingValues> kStepDiameters = {20, 26, 34};
// Choices stand 24 design pixels apart, each with a 20 x 20 mark behind its 16 x 16 picture.
constexpr float kChoicePitch = 24;
constexpr float kMarkSize = 20;

struct ChoiceDesign {
  Art art = Art::None;
  const char16_t* tooltip = u"";
  ToolSetting setting = ToolSetting::PenSize;
  int value = 0;
};
struct ToolDesign {
  Tool tool;
  int count;
  std::array<ChoiceDesign, kChoices> choices;
};

constexpr Art ArtAt(Art first, int i) {
  return static_cast<Art>(static_cast<int>(first) + i);
}

constexpr std::array<ToolDesign, 4> kTools = {{
    {Tool::Pen,
     3,
     {{{Art::ChoicePen_0, u"2 像素", ToolSetting::PenSize, 0},
       {ArtAt(Art::ChoicePen_0, 1), u"4 像素", ToolSetting::PenSize, 1},
       {ArtAt(Art::ChoicePen_0, 2), u"8 像素", ToolSetting::PenSize, 2}}}},
    {Tool::Highlighter,
     3,
     {{{Art::ChoiceHighlighter_0, u"12 像素", ToolSetting::HighlighterSize, 0},
       {ArtAt(Art::ChoiceHighlighter_0, 1), u"18 像素", ToolSetting::HighlighterSize, 1},
       {ArtAt(Art::ChoiceHighlighter_0, 2), u"24 像素", ToolSetting::HighlighterSize, 2}}}},
    {Tool::Mosaic,
     5,
     {{{Art::ChoicePixelate, u"块", ToolSetting::MosaicKind, 0},
       {Art::ChoiceBlur, u"模糊", ToolSetting::MosaicKind, 1},
       {Art::ChoiceCells_0, u"8 像素", ToolSetting::MosaicCells, 0},
       {ArtAt(Art::ChoiceCells_0, 1), u"12 像素", ToolSetting::MosaicCells, 1},
       {ArtAt(Art::ChoiceCells_0, 2), u"20 像素", ToolSetting::MosaicCells, 2}}}},
    {Tool::Steps,
     3,
     {{{Art::ChoiceDisc_0, u"20 像素", ToolSetting::StepSize, 0},
       {ArtAt(Art::ChoiceDisc_0, 1), u"26 像素", ToolSetting::StepSize, 1},
       {ArtAt(Art::ChoiceDisc_0, 2), u"34 像素", ToolSetting::StepSize, 2}}}},
}};

const ToolDesign* DesignOf(Tool tool) {
  for (const ToolDesign& design : kTools) {
    if (design.tool == tool) return &design;
  }
  return nullptr;
}

float Chosen(const CaptureForm& form, const ToolChoices& choices, ToolSetting setting,
             const std::array<float, kSettingValues>& sizes) {
  const float design = sizes[static_cast<std::size_t>(choices[setting])];
  return form.controls.scale(design);
}

}  // namespace

float LayOutChoices(CaptureForm& form, const ToolChoices& choices, Tool tool) {
  const ToolDesign* design = DesignOf(tool);
  const int count = design ? design->count : 0;
  for (int i = 0; i < kChoices; ++i) {
    const ChoiceDesign shown =
        i < count ? design->choices[static_cast<std::size_t>(i)] : ChoiceDesign{};
    Control& choice = form[ChoiceId(i)];
    choice.visible = i < count;
    choice.picture = shown.art;
    choice.tooltip = shown.tooltip;
    form[ChoiceMarkId(i)].visible = i < count && choices[shown.setting] == shown.value;
  }
  Control& panel = form[ControlId::ChoicePanel];
  panel.visible = count > 0;
  panel.width = count > 0 ? kChoicePitch * static_cast<float>(count - 1) + kMarkSize : 0;
  return panel.width;
}

void ClickOnChoice(CaptureForm& form, AnnotateState& annotate, int index) {
  const ToolDesign* design = DesignOf(annotate.choice.panel_tool);
  if (!design || index < 0 || index >= design->count) return;
  const ChoiceDesign& choice = design->choices[static_cast<std::size_t>(index)];
  annotate.choices.Choose(choice.setting, choice.value);
  LayOutChoices(form, annotate.choices, annotate.choice.panel_tool);
}

float PenWidth(const CaptureForm& form, const ToolChoices& choices) {
  return Chosen(form, choices, ToolSetting::PenSize, kPenWidths);
}

float HighlighterWidth(const CaptureForm& form, const ToolChoices& choices) {
  return Chosen(form, choices, ToolSetting::HighlighterSize, kHighlighterWidths);
}

float MosaicCell(const CaptureForm& form, const ToolChoices& choices) {
  return Chosen(form, choices, ToolSetting::MosaicCells, kMosaicCells);
}

float StepDiameter(const CaptureForm& form, const ToolChoices& choices) {
  return Chosen(form, choices, ToolSetting::StepSize, kStepDiameters);
}

bool MosaicBlurs(const ToolChoices& choices) {
  return choices[ToolSetting::MosaicKind] == 1;
}

MosaicStyle ChosenMosaic(const CaptureForm& form, const ToolChoices& choices) {
  return {MosaicBlurs(choices) ? MosaicKind::Blur : MosaicKind::Cells,
          Round(MosaicCell(form, choices)), BlurBox(form.controls.scale)};
}

float ChosenSize(const CaptureForm& form, const ToolChoices& choices, MarkKind kind) {
  switch (kind) {
    case MarkKind::Pen:
      return PenWidth(form, choices);
    case MarkKind::Highlighter:
      return HighlighterWidth(form, choices);
    case MarkKind::Step:
      return StepDiameter(form, choices);
    default:
      return 0;
  }
}

void ChooseAsMark(const CaptureForm& form, ToolChoices& choices, const Mark& mark) {
  ToolSetting setting = ToolSetting::PenSize;
  switch (mark.kind) {
    case MarkKind::Highlighter:
      setting = ToolSetting::HighlighterSize;
      break;
    case MarkKind::Step:
      setting = ToolSetting::StepSize;
      break;
    case MarkKind::Mosaic:
      choices.Choose(ToolSetting::MosaicKind, mark.mosaic.kind == MosaicKind::Blur ? 1 : 0);
      setting = ToolSetting::MosaicCells;
      break;
    case MarkKind::Pen:
      break;
    default:
      return;
  }
  for (int value = 0; value < kSettingValues; ++value) {
    ToolChoices trial = choices;
    trial.Choose(setting, value);
    const bool same = mark.kind == MarkKind::Mosaic
                          ? Round(MosaicCell(form, trial)) == mark.mosaic.cell
                          : ChosenSize(form, trial, mark.kind) == mark.size;
    if (same) return choices.Choose(setting, value);
  }
}

Tool ToolOf(MarkKind kind) {
  switch (kind) {
    case MarkKind::Rectangle:
      return Tool::Rectangle;
    case MarkKind::Ellipse:
      return Tool::Ellipse;
    case MarkKind::Arrow:
      return Tool::Arrow;
    case MarkKind::Text:
      return Tool::Text;
    case MarkKind::Pen:
      return Tool::Pen;
    case MarkKind::Highlighter:
      return Tool::Highlighter;
    case MarkKind::Mosaic:
      return Tool::Mosaic;
    case MarkKind::Step:
      return Tool::Steps;
  }
  return Tool::None;
}

}  // namespace capture
