#include <gtest/gtest.h>

#include "annotate/area_effects.h"
#include "annotate/mosaic.h"
#include "annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

// The harness's selection is (100, 100) to (300, 250).
constexpr RectI kSelection{100, 100, 300, 250};

// The area's pixels replaced by `inside`, everything else as in `picture`.
Picture With(Picture picture, const RectI& area, const Picture& inside) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      picture.at(x, y) = inside.at(x - area.left, y - area.top);
    }
  }
  return picture;
}

// While dragging, the window shows the cells (12 pixels at first) of the picture as it was at the
// press, and nothing is drawn into the picture; the release draws them there, one snapshot, exact
// under undo and redo.
TEST(MosaicTool, PreviewsTheCellsFromThePressPicture_CommitsThemWithOneSnapshot) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Mosaic));
  const Picture before = h.Shown();
  const RectI area{110, 120, 190, 201};
  const Picture expected = With(before, area, Pixelate(PixelView::Of(before), area, 12));

  h.run.MouseDown(button::kLeft, 110, 120);
  h.run.MouseMove(button::kLeft, 250, 240);
  h.run.MouseMove(button::kLeft, 190, 201);
  EXPECT_EQ(h.fake.surface.window_layer(), expected);
  EXPECT_EQ(h.fake.surface.retained(), before);
  EXPECT_EQ(h.form.history.Count(), 1);

  h.run.MouseUp(button::kLeft, 190, 201);
  EXPECT_EQ(h.Shown(), expected);
  EXPECT_EQ(h.form.history.Count(), 2);
  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), before);
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.Shown(), expected);
}

// The blur, dragged up and left out of the selection: the rectangle stops at the selection's
// corner, its blur reads only the selection, and not one pixel outside the rectangle changes. A
// click hides nothing and stores nothing.
TEST(MosaicTool, Blur_ClampedToTheSelection_OutsideExact_AClickStoresNothing) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Mosaic));
  h.ClickOn(ChoiceId(1));  // 模糊
  const Picture before = h.Shown();
  h.Drag(180, 170, 20, 30);

  const RectI area{100, 100, 180, 170};
  const Picture selected = Crop(before, kSelection);
  const Picture blurred = Blur(PixelView::Of(selected), {0, 0, 80, 70}, 4);
  EXPECT_EQ(h.Shown(), With(before, area, blurred));
  EXPECT_EQ(h.form.history.Count(), 2);

  h.Click(200, 200);
  EXPECT_EQ(h.form.history.Count(), 2);
}

// Cells are 8, 12 or 20 pixels at 96 DPI, as the panel chooses, and twice that at 192 DPI.
TEST(MosaicTool, CellsOfTheChosenSize_ScaledWithTheDpi) {
  for (const int dpi : {96, 192}) {
    for (const int choice : {2, 3, 4}) {
      FormHarness h(1280, 960);
      h.fake.screen.monitors = {{{0, 0, 1280, 960}, dpi}};
      h.run.DisplayChanged();
      h.Drag(100, 100, 700, 500);
      const auto click_on = [&h](ControlId id) {
        const PointF o = h.form.controls.Origin(id), e = h.form.controls.Extent(id);
        h.Click(o.x + e.x / 2, o.y + e.y / 2);
      };
      click_on(ButtonId(ToolbarButton::Mosaic));
      click_on(ChoiceId(choice));
      const Picture before = h.fake.surface.background();
      h.Drag(150, 150, 400, 400);
      const int cell = (choice == 2 ? 8 : choice == 3 ? 12 : 20) * dpi / 96;
      const RectI area{150, 150, 400, 400};
      EXPECT_EQ(h.fake.surface.background(),
                With(before, area, Pixelate(PixelView::Of(before), area, cell)))
          << dpi << " DPI, choice " << choice;
    }
  }
}

// Each move of a drag shows exactly the effect of the rectangle it reaches, whatever earlier moves
// computed and showed: growing across the blur's tiles and by a few pixels (so that the cells cut
// off at the old edge grow), shrinking, and crossing the press so that the rectangle's top-left
// (and the cells' alignment) moves. The release draws the last one.
class MosaicDragTest : public ::testing::TestWithParam<int> {};

TEST_P(MosaicDragTest, EveryMoveShowsItsOwnRectanglesEffect_FromThePressPicture) {
  const bool blur = GetParam() == 1;
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Mosaic));
  h.ClickOn(ChoiceId(GetParam()));
  const Picture before = h.Shown();
  const Picture selected = Crop(before, kSelection);
  const auto expected = [&](const RectI& area) {
    const RectI in_selection{area.left - kSelection.left, area.top - kSelection.top,
                             area.right - kSelection.left, area.bottom - kSelection.top};
    return With(before, area,
                blur ? Blur(PixelView::Of(selected), in_selection, 4)
                     : Pixelate(PixelView::Of(before), area, 12));
  };
  const PointF press{150, 160};
  h.run.MouseDown(button::kLeft, press.x, press.y);
  for (const PointF end :
       {PointF{290, 240}, PointF{295, 246}, PointF{292, 243}, PointF{200, 200}, PointF{120, 110},
        PointF{299, 130}, PointF{101, 249}, PointF{290, 245}}) {
    h.run.MouseMove(button::kLeft, end.x, end.y);
    EXPECT_EQ(h.fake.surface.window_layer(), expected(MosaicArea(kSelection, press, end)))
        << end.x << "," << end.y;
  }
  h.run.MouseUp(button::kLeft, 290, 245);
  EXPECT_EQ(h.Shown(), expected(MosaicArea(kSelection, press, {290, 245})));
}

INSTANTIATE_TEST_SUITE_P(CellsAndBlur, MosaicDragTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace capture
