// The strip's pen, highlighter, mosaic and step tools, and the style panel's choices for them.
#include "annotate/tool_choices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "annotate_harness.h"

namespace capture {
namespace {

using testing::AnnotateHarness;
using testing::FormHarness;

TEST(Strip, NewToolsFollowTheArrowAtItsPitchAndTheRestKeepsItsPlaceFromTheRightEdge) {
  const Controls c;
  const float arrow = c[ButtonId(ToolbarButton::Arrow)].left;
  const std::vector<std::pair<ToolbarButton, std::u16string>> added = {
      {ToolbarButton::Pen, u"画笔"},
      {ToolbarButton::Highlighter, u"荧光笔"},
      {ToolbarButton::Mosaic, u"马赛克"},
      {ToolbarButton::Steps, u"序号"}};
  for (std::size_t i = 0; i < added.size(); ++i) {
    const auto& [button, tooltip] = added[i];
    const Control& icon = c[ButtonId(button)];
    EXPECT_FLOAT_EQ(icon.left, arrow + static_cast<float>(i + 1) * 380 / 15.f) << i;
    EXPECT_EQ(icon.top, 5);
    EXPECT_EQ(icon.width, 16);
    EXPECT_EQ(icon.tooltip, tooltip);
    EXPECT_FLOAT_EQ(c[HoverSquareId(button)].left, icon.left - 2) << i;
  }
  EXPECT_FLOAT_EQ(c[ControlId::ToolsSeparator].left,
                  c[ButtonId(ToolbarButton::Steps)].left + 360 / 15.f);

  // 长截图 follows 钉在桌面 at the history buttons' pitch.
  const Control& scroll = c[ButtonId(ToolbarButton::ScrollCapture)];
  EXPECT_FLOAT_EQ(scroll.left, c[ButtonId(ToolbarButton::Pin)].left + 370 / 15.f);
  EXPECT_EQ(scroll.tooltip, u"长截图");
  EXPECT_FLOAT_EQ(c[HoverSquareId(ToolbarButton::ScrollCapture)].left, scroll.left - 2);

  // Measured from the right edge, everything after the first separator stands where it stands on
  // the strip without the four, 266 wide, and with 长截图 a step further left up to it.
  const float width = c[ControlId::Toolbar].width;
  EXPECT_FLOAT_EQ(width, 5880 / 15.f);
  EXPECT_EQ(c[ControlId::ToolbarFrame].width, width);
  constexpr float kScrollStep = 370 / 15.f;
  const std::vector<std::pair<ControlId, float>> kept = {
      {ControlId::ToolsSeparator, 1580 / 15.f - kScrollStep},
      {ButtonId(ToolbarButton::Undo), 1700 / 15.f - kScrollStep},
      {HoverSquareId(ToolbarButton::Undo), 1670 / 15.f - kScrollStep},
      {ButtonId(ToolbarButton::Redo), 138 - kScrollStep},
      {ButtonId(ToolbarButton::Save), 2440 / 15.f - kScrollStep},
      {ButtonId(ToolbarButton::Pin), 2810 / 15.f - kScrollStep},
      {ControlId::QuitSeparator, 3150 / 15.f},
      {ButtonId(ToolbarButton::Quit), 3270 / 15.f},
      {ButtonId(ToolbarButton::CopyQuit), 3640 / 15.f}};
  for (const auto& [id, left] : kept) {
    EXPECT_NEAR(width - c[id].left, 3990 / 15.f - left, 1e-4f) << c[id].name << c[id].index;
  }
}

std::vector<int> Marked(AnnotateHarness& h) {
  std::vector<int> marked;
  for (int i = 0; i < kChoices; ++i) {
    if (h[ChoiceMarkId(i)].visible) marked.push_back(i);
  }
  return marked;
}

struct PanelCase {
  ToolbarButton button;
  Tool tool;
  std::vector<std::u16string> tooltips;
  std::vector<int> marked;  // at start
};

class ToolPanel : public ::testing::TestWithParam<PanelCase> {};

TEST_P(ToolPanel, ShowsTheToolsChoicesBeforeTheColoursAndASecondClickHidesIt) {
  const PanelCase& p = GetParam();
  AnnotateHarness h;
  const Control& panel = h[ControlId::StylePanel];

  h.ClickOn(ButtonId(p.button));
  EXPECT_EQ(h.choice().tool, p.tool);
  EXPECT_TRUE(panel.visible);
  EXPECT_FALSE(h[ControlId::FontPanel].visible);
  EXPECT_TRUE(h[ControlId::ChoicePanel].visible);
  const auto n = static_cast<int>(p.tooltips.size());
  for (int i = 0; i < kChoices; ++i) {
    EXPECT_EQ(h[ChoiceId(i)].visible, i < n) << i;
    if (i < n) {
      EXPECT_EQ(h[ChoiceId(i)].tooltip, p.tooltips[static_cast<std::size_t>(i)]);
    }
  }
  EXPECT_EQ(Marked(h), p.marked);
  const float choices = 24.f * static_cast<float>(n) - 4;
  EXPECT_FLOAT_EQ(h[ControlId::Palette].left, 4 + choices + 6);
  EXPECT_FLOAT_EQ(panel.width, 241.33333f - 73 - 2 + choices + 6);
  EXPECT_EQ(h[ControlId::StyleFrame].width, panel.width);

  h.ClickOn(ButtonId(p.button));
  EXPECT_FALSE(panel.visible);
  EXPECT_EQ(h.choice().tool, p.tool);

  // A tool without choices takes them away again.
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  EXPECT_FALSE(h[ControlId::ChoicePanel].visible);
  EXPECT_EQ(h[ControlId::Palette].left, 4);
  EXPECT_FLOAT_EQ(panel.width, 241.33333f - 73 - 2);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, ToolPanel,
    ::testing::Values(
        PanelCase{ToolbarButton::Pen, Tool::Pen, {u"2 像素", u"4 像素", u"8 像素"}, {1}},
        PanelCase{ToolbarButton::Highlighter,
                  Tool::Highlighter,
                  {u"12 像素", u"18 像素", u"24 像素"},
                  {1}},
        PanelCase{ToolbarButton::Mosaic,
                  Tool::Mosaic,
                  {u"块", u"模糊", u"8 像素", u"12 像素", u"20 像素"},
                  {0, 3}},
        PanelCase{ToolbarButton::Steps, Tool::Steps, {u"20 像素", u"26 像素", u"34 像素"}, {1}}));

TEST(ToolChoices, AClickChoosesForItsSettingOnlyAndTheChoiceLastsAcrossTools) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Pen));
  EXPECT_EQ(PenWidth(h.form, h.run.state().annotate.choices), 4);
  h.ClickOn(ChoiceId(2));
  EXPECT_EQ(PenWidth(h.form, h.run.state().annotate.choices), 8);
  EXPECT_EQ(Marked(h), std::vector<int>{2});

  h.ClickOn(ButtonId(ToolbarButton::Mosaic));
  EXPECT_FALSE(MosaicBlurs(h.run.state().annotate.choices));
  h.ClickOn(ChoiceId(1));  // 模糊
  h.ClickOn(ChoiceId(2));  // 8-pixel cells
  EXPECT_TRUE(MosaicBlurs(h.run.state().annotate.choices));
  EXPECT_EQ(MosaicCell(h.form, h.run.state().annotate.choices), 8);
  EXPECT_EQ(Marked(h), (std::vector<int>{1, 2}));

  h.ClickOn(ButtonId(ToolbarButton::Highlighter));
  EXPECT_EQ(HighlighterWidth(h.form, h.run.state().annotate.choices), 18);
  EXPECT_EQ(StepDiameter(h.form, h.run.state().annotate.choices), 26);
  h.ClickOn(ButtonId(ToolbarButton::Pen));
  EXPECT_EQ(Marked(h), std::vector<int>{2});
  EXPECT_EQ(PenWidth(h.form, h.run.state().annotate.choices), 8);
}

TEST(ToolChoices, SizesTakeTheDpiOfTheSelectionsMonitor) {
  FormHarness h{1600, 1000};
  h.fake.screen.monitors = {{{0, 0, 1600, 1000}, 192}};
  h.run.DisplayChanged();
  h.Drag(600, 100, 1000, 300);
  EXPECT_EQ(PenWidth(h.form, h.run.state().annotate.choices), 8);
  EXPECT_EQ(HighlighterWidth(h.form, h.run.state().annotate.choices), 36);
  EXPECT_EQ(MosaicCell(h.form, h.run.state().annotate.choices), 24);
  EXPECT_EQ(StepDiameter(h.form, h.run.state().annotate.choices), 52);
}

}  // namespace
}  // namespace capture
