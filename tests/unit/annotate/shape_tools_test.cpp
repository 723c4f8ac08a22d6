#include <gtest/gtest.h>

#include <vector>

#include "annotate_harness.h"

namespace capture {
namespace {

using namespace testing;

TEST(ShapeTools, Press_OnTheBorderOrOutsideStartsNothing_OnePixelInStarts) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  for (const PointF p :
       {PointF{100, 200}, PointF{300, 200}, PointF{150, 100}, PointF{150, 250}, PointF{50, 50}}) {
    h.run.MouseDown(button::kLeft, p.x, p.y);
    EXPECT_FALSE(h.tool_drag().InProgress()) << p.x << "," << p.y;
    EXPECT_TRUE(h.fake.surface.Persistent());
    EXPECT_TRUE(h[ControlId::Toolbar].visible) << "the selection stays as it is";
    h.run.MouseUp(button::kLeft, p.x, p.y);
  }
  EXPECT_EQ(h.form.history.Current(), 1);
  EXPECT_TRUE(h[ControlId::Selection].visible);

  h.run.MouseDown(button::kLeft, 101, 200);
  EXPECT_TRUE(h.tool_drag().InProgress());
  EXPECT_FALSE(h.fake.surface.Persistent());
  EXPECT_EQ(h.tool_drag().Start().x, 101);
  EXPECT_EQ(h.tool_drag().Start().y, 200);
}

TEST(ShapeTools, Rectangle_PreviewOnScreenOnly_CommitClampedToTheSelection) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  const Picture before = h.Shown();

  h.run.MouseDown(button::kLeft, 110, 150);
  h.run.MouseMove(button::kLeft, 200, 200);
  h.run.MouseMove(button::kLeft, 500, 500);  // the first preview is gone
  EXPECT_EQ(Changed(before, h.fake.surface.window_layer()), (RectI{110, 150, 301, 251}));
  EXPECT_EQ(h.fake.surface.window_layer().at(200, 175), before.at(200, 175));
  EXPECT_EQ(h.fake.surface.retained(), before);
  EXPECT_EQ(h.form.history.Current(), 1);

  h.run.MouseUp(button::kLeft, 500, 500);
  EXPECT_EQ(Changed(before, h.Shown()), (RectI{110, 150, 301, 251}));
  EXPECT_EQ(h.ShownPixel(300, 250), kRed);
  EXPECT_EQ(h.ShownPixel(110, 200), kRed);
  EXPECT_FALSE(h.tool_drag().InProgress());
  EXPECT_TRUE(h.fake.surface.Persistent());
  EXPECT_EQ(h.form.history.Current(), 2);
  EXPECT_EQ(h.form.history.Count(), 2);
}

// A press that ends with no release (another program took the pointer) or whose move failed (out
// of memory for the first drawing at a large screen) leaves no shape behind: the preview is taken
// back, nothing is stored, the pointer moves on freely and the next press starts afresh.
TEST(ShapeTools, LostPress_TakesThePreviewBackAndTheNextPressStartsAfresh) {
  struct Way {
    const char* name;
    void (*lose)(AnnotateHarness&);
  };
  const Way ways[] = {
      {"capture lost",
       [](AnnotateHarness& h) {
         h.run.MouseMove(button::kLeft, 200, 200);
         h.run.CaptureLost();
       }},
      {"move failed",
       [](AnnotateHarness& h) {
         h.run.MouseMove(button::kLeft, 200, 200);
         h.fake.surface.failing_draws = 100;
         h.run.MouseMove(button::kLeft, 220, 220);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    AnnotateHarness h;
    h.ClickOn(ButtonId(ToolbarButton::Rectangle));
    const Picture before = h.Shown();
    h.run.MouseDown(button::kLeft, 150, 150);

    way.lose(h);
    h.run.MouseMove(0, 250, 240);  // no button held
    h.fake.surface.failing_draws = 0;
    h.run.MouseMove(0, 260, 240);

    EXPECT_LE(h.fake.dialogs.messages.size(), 1u);
    EXPECT_FALSE(h.tool_drag().InProgress());
    EXPECT_TRUE(h.fake.surface.Persistent());
    EXPECT_EQ(h.fake.surface.window_layer(), before);
    EXPECT_EQ(h.form.history.Current(), 1);
    h.Drag(120, 120, 130, 130);
    EXPECT_EQ(Changed(before, h.Shown()), (RectI{120, 120, 131, 131}));
    EXPECT_EQ(h.form.history.Current(), 2);
  }
}

TEST(ShapeTools, Release_LeftOfAndAboveTheSelectionClampsToItsLeftAndTop) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Rectangle));
  const Picture before = h.Shown();
  h.Drag(150, 140, 20, 30);
  EXPECT_EQ(Changed(before, h.Shown()), (RectI{100, 100, 151, 141}));
}

TEST(ShapeTools, Colour_IsReadAtEveryPreviewAndAtTheCommit) {
  AnnotateHarness h;
  h.ClickOn(ButtonId(ToolbarButton::Arrow));
  h.run.MouseDown(button::kLeft, 120, 150);
  h.run.MouseMove(button::kLeft, 200, 150);
  EXPECT_EQ(ColourOf(h.fake.surface.window_layer().at(160, 150)), kRed);

  h[SwatchId(kCurrentColourSwatch)].back_colour = kBlue;
  h.run.MouseMove(button::kLeft, 220, 150);
  EXPECT_EQ(ColourOf(h.fake.surface.window_layer().at(160, 150)), kBlue);
  h[SwatchId(kCurrentColourSwatch)].back_colour = Rgb(0, 255, 0);
  h.run.MouseUp(button::kLeft, 220, 150);
  EXPECT_EQ(h.ShownPixel(160, 150), Rgb(0, 255, 0));
}

TEST(ShapeTools, EveryCommitStoresOneStep_AlsoAPressAndReleaseOnOnePoint) {
  AnnotateHarness h;
  int expected = 1;
  float x = 150;  // each away from the last, which a press there would take
  for (const ToolbarButton tool :
       {ToolbarButton::Rectangle, ToolbarButton::Ellipse, ToolbarButton::Arrow}) {
    h.ClickOn(ButtonId(tool));
    const Picture before = h.Shown();
    h.Click(x += 30, 150);
    EXPECT_EQ(h.form.history.Current(), ++expected);
    EXPECT_EQ(h.form.history.Count(), expected);
    if (tool == ToolbarButton::Arrow) {
      EXPECT_EQ(h.Shown(), before) << "a zero-length arrow draws nothing";
    }
  }
}

// Records the drawing calls the tools make, and draws them as the fake does.
class RecordingSurface : public fake::FakeSurface {
 public:
  struct LineCall {
    float x1, y1, x2, y2;
    friend bool operator==(const LineCall&, const LineCall&) = default;
  };
  void Line(float x1, float y1, float x2, float y2, Colour colour) override {
    lines.push_back({x1, y1, x2, y2});
    FakeSurface::Line(x1, y1, x2, y2, colour);
  }
  void Ellipse(int left, int top, int right, int bottom, Colour colour) override {
    ellipses.push_back({left, top, right, bottom});
    FakeSurface::Ellipse(left, top, right, bottom, colour);
  }
  std::vector<LineCall> lines;
  std::vector<RectI> ellipses;
};

TEST(ShapeTools, Ellipse_TakesTheCornersRoundedHalfToEvenAndUnsorted) {
  fake::FakePlatform fake{fake::NoisePicture(640, 480)};
  RecordingSurface surface;
  Platform platform{fake.window,  surface,      fake.screen,  fake.clipboard,
                    fake.dialogs, fake.gdiplus, fake.gdiplus, fake.saving};
  CaptureForm form{fake.window, fake.screen};
  CaptureRun run{form, platform};
  run.Load();
  Control& selection = form[ControlId::Selection];
  selection.left = selection.top = 100;
  selection.width = 200;
  selection.height = 150;
  AnnotateState& annotate = run.state().annotate;
  annotate.choice.active = true;
  annotate.choice.tool = Tool::Ellipse;

  StartShape(form, annotate, surface, 250.5f, 200.5f);
  PreviewShape(form, annotate, surface, 120.5f, 110.5f);
  CommitShape(form, annotate, surface, fake.window, 120.5f, 110.5f);

  const RectI expected{250, 200, 120, 110};
  EXPECT_EQ(surface.ellipses, (std::vector<RectI>{expected, expected}));
}

TEST(Arrow, WingsFirstThenTheShaft_HorizontalAndVertical) {
  RecordingSurface s;
  s.SetPicture(Picture(400, 300));
  using L = RecordingSurface::LineCall;

  Arrow(s, 100, 100, 200, 100, 10, kRed);
  EXPECT_EQ(s.lines,
            (std::vector<L>{{190, 105, 200, 100}, {190, 95, 200, 100}, {100, 100, 200, 100}}));
  s.lines.clear();
  Arrow(s, 100, 100, 100, 200, 10, kRed);
  EXPECT_EQ(s.lines,
            (std::vector<L>{{95, 190, 100, 200}, {105, 190, 100, 200}, {100, 100, 100, 200}}));
}

TEST(Arrow, ShorterThanItsHead_WingsReachBeyondTheTail_AndAPointDrawsNothing) {
  RecordingSurface s;
  s.SetPicture(Picture(400, 300));
  using L = RecordingSurface::LineCall;

  Arrow(s, 100, 100, 104, 100, 10, kRed);
  EXPECT_EQ(s.lines,
            (std::vector<L>{{94, 105, 104, 100}, {94, 95, 104, 100}, {100, 100, 104, 100}}));
  s.lines.clear();
  Arrow(s, 100, 100, 100, 100, 10, kRed);
  EXPECT_TRUE(s.lines.empty());
}

}  // namespace
}  // namespace capture
