// The pen and the highlighter, and what Shift does to the tools at the release.
#include "annotate/freehand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "annotate/stroke_geometry.h"
#include "annotate_harness.h"

namespace capture {
namespace {

using testing::AnnotateHarness;
using testing::kRed;

// Every pixel whose centre lies within width / 2 of the segment, found one by one.
bool NearSegment(int x, int y, PointF a, PointF b, float width) {
  const double px = x + 0.5 - a.x, py = y + 0.5 - a.y, dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(px - t * dx, py - t * dy) <= width / 2.0;
}

// The pixels as a picture-sized map, for comparing with a search pixel by pixel.
std::vector<bool> Mask(const std::vector<Span>& spans, int width, int height) {
  std::vector<bool> mask(static_cast<std::size_t>(width * height));
  for (const Span& s : spans) {
    for (int x = s.left; x < s.right; ++x)
      mask[static_cast<std::size_t>(s.y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x)] = true;
  }
  return mask;
}

TEST(StrokeGeometry, SegmentCoversExactlyThePixelsWithinHalfItsWidthAndNothingOutsideTheClip) {
  struct Case {
    PointF a, b;
    float width;
  };
  const Case cases[] = {{{10, 5}, {20, 5}, 2},        {{10, 10}, {10, 10}, 4},
                        {{3.5f, 4}, {27, 31.25f}, 8}, {{30, 2}, {5, 20}, 24},
                        {{16, 16}, {16, 40}, 12},     {{12, 30}, {40, 29}, 18}};
  const RectI clip{2, 3, 36, 38};
  for (const Case& c : cases) {
    std::vector<Span> spans;
    AppendSegment(spans, c.a, c.b, c.width, clip);
    const std::vector<bool> mask = Mask(spans, 48, 48);
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 48; ++x) {
        const bool expected = PtInRect(clip, x, y) && NearSegment(x, y, c.a, c.b, c.width);
        EXPECT_EQ(mask[static_cast<std::size_t>(y * 48 + x)], expected)
            << x << "," << y << " of " << c.a.x << "," << c.a.y << " width " << c.width;
      }
    }
  }
  // Even widths on a pointer's point give as many rows as the width, and a round dot.
  std::vector<Span> line, dot;
  AppendSegment(line, {10, 5}, {20, 5}, 2, {0, 0, 64, 64});
  EXPECT_EQ(line, (std::vector<Span>{{4, 9, 21}, {5, 9, 21}}));
  AppendSegment(dot, {10, 10}, {10, 10}, 4, {0, 0, 64, 64});
  EXPECT_EQ(dot, (std::vector<Span>{{8, 9, 11}, {9, 8, 12}, {10, 8, 12}, {11, 9, 11}}));
}

TEST(StrokeGeometry, ShiftMakesSquaresAndTurnsTo45DegreesInsideTheBounds) {
  EXPECT_EQ(SquareEnd({100, 100}, {130, 90}).x, 130);
  EXPECT_EQ(SquareEnd({100, 100}, {130, 90}).y, 70);
  EXPECT_EQ(SquareEnd({100, 100}, {95, 140}).x, 60);
  const PointF low{50, 50}, high{300, 250};
  struct Case {
    PointF end, snapped;
  };
  const Case cases[] = {
      {{180, 110}, {180, 100}},  // nearly level: level
      {{95, 20}, {100, 50}},     // nearly upright, and up to the top edge
      {{150, 140}, {145, 145}},  // nearly diagonal: along the diagonal, as far as the drag reaches
      {{40, 170}, {50, 150}},    // a diagonal shortened at the left edge keeps its angle
  };
  for (const Case& c : cases) {
    const PointF got = SnappedEnd({100, 100}, c.end, low, high);
    EXPECT_FLOAT_EQ(got.x, c.snapped.x) << c.end.x << "," << c.end.y;
    EXPECT_FLOAT_EQ(got.y, c.snapped.y) << c.end.x << "," << c.end.y;
  }
}

// The pixels a stroke through the points covers, from the press on, at the width.
std::vector<Span> PathSpans(const std::vector<PointF>& points, float width, const RectI& clip) {
  std::vector<Span> spans;
  for (std::size_t i = 0; i < points.size(); ++i) {
    AppendSegment(spans, points[i == 0 ? 0 : i - 1], points[i], width, clip);
  }
  return spans;
}

void ToolDrag(AnnotateHarness& h, const std::vector<PointF>& points, bool shift = false) {
  h.run.MouseDown(button::kLeft, points[0].x, points[0].y);
  for (std::size_t i = 1; i < points.size(); ++i) {
    h.run.MouseMove(button::kLeft, points[i].x, points[i].y);
  }
  h.run.MouseUp(button::kLeft, points.back().x, points.back().y, shift);
}

// The frozen picture with the spans painted in the colour, or tinted once.
Picture Painted(const Picture& before, const std::vector<Span>& spans, Colour colour) {
  Picture out = before;
  for (const Span& s : spans) {
    for (int x = s.left; x < s.right; ++x) out.at(x, s.y) = PixelOf(colour);
  }
  return out;
}
Picture Tinted(const Picture& before, const std::vector<Span>& spans, Colour tint) {
  Picture out = before;
  const std::vector<bool> mask = Mask(spans, before.width, before.height);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      if (mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) +
               static_cast<std::size_t>(x)]) {
        out.at(x, y) = MultiplyPixel(out.at(x, y), PixelOf(tint));
      }
    }
  }
  return out;
}

const RectI kSelection{100, 100, 300, 250};

TEST(Pen, StrokeFollowsThePointerRoundAndClippedOneSnapshotAndUndoGivesTheFrozenPicture) {
  AnnotateHarness h;
  const Picture frozen = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Pen));
  // Out through the selection's right edge and back: the part outside is pulled onto the edge.
  const std::vector<PointF> points = {{150, 150}, {200, 160}, {320, 200}, {250, 240}};
  ToolDrag(h, points);

  const std::vector<PointF> drawn = {{150, 150}, {200, 160}, {300, 200}, {250, 240}};
  EXPECT_EQ(h.Shown(), Painted(frozen, PathSpans(drawn, 4, kSelection), kRed));
  EXPECT_EQ(h.form.history.Count(), 2);
  EXPECT_FALSE(h.run.state().annotate.freehand);

  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), frozen);
  h.ClickOn(ButtonId(ToolbarButton::Redo));
  EXPECT_EQ(h.Shown(), Painted(frozen, PathSpans(drawn, 4, kSelection), kRed));
}

TEST(Pen, PreviewDrawsOnlyWhatEachMoveAddsAndShiftMakesTheStrokeStraight) {
  AnnotateHarness h;
  const Picture frozen = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Pen));
  h.ClickOn(ChoiceId(2));  // 8 pixels
  h.run.MouseDown(button::kLeft, 110, 110);
  std::vector<long long> cost;
  for (int i = 1; i <= 2000; ++i) {
    const long long before = h.fake.surface.span_pixels;
    // Back and forth a pixel at a time and a little down, so the stroke keeps crossing itself.
    const int across = i % 300 < 150 ? i % 150 : 150 - i % 150;
    const int down = i / 100;
    const float x = 110 + static_cast<float>(across), y = 110 + static_cast<float>(down);
    h.run.MouseMove(button::kLeft, x, y);
    cost.push_back(h.fake.surface.span_pixels - before);
  }
  // A one-pixel step of an 8-pixel pen: its end disc, never the stroke so far.
  for (const long long c : cost) EXPECT_LE(c, 9 * 9);
  EXPECT_EQ(h.Shown(), frozen);  // nothing in the picture until the release
  EXPECT_NE(h.fake.surface.window_layer(), frozen);

  h.run.MouseUp(button::kLeft, 250, 200, /*shift=*/true);
  EXPECT_EQ(h.Shown(), Painted(frozen, PathSpans({{110, 110}, {250, 200}}, 8, kSelection), kRed));
}

TEST(Highlighter, TintsMultiplyOnceWhereTheStrokeCrossesItselfAndKeepsBlackBlack) {
  // White, black and a mid grey-blue in bands, so the blend can be read off each.
  Picture screen(640, 480, 0xFFFFFF);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (x % 30 < 10) screen.at(x, y) = 0x000000;
      if (x % 30 >= 20) screen.at(x, y) = 0x6496C8;
    }
  }
  AnnotateHarness h(std::move(screen));
  const Picture frozen = h.Shown();
  h.ClickOn(ButtonId(ToolbarButton::Highlighter));
  h.ClickOn(SwatchId(11));  // yellow
  const std::vector<PointF> loop = {{120, 150}, {260, 150}, {260, 200}, {180, 120}, {180, 230}};
  ToolDrag(h, loop);

  const Colour tint = HighlighterTint(Rgb(255, 255, 0));
  EXPECT_EQ(tint, Rgb(255, 255, 128));
  EXPECT_EQ(h.Shown(), Tinted(frozen, PathSpans(loop, 18, kSelection), tint));
  EXPECT_EQ(ColourOf(h.Shown().at(185, 150)), Rgb(0, 0, 0));  // black stays black
  EXPECT_EQ(ColourOf(h.Shown().at(195, 150)), tint);          // white becomes the tint
  EXPECT_EQ(h.Shown().at(205, 150), MultiplyPixel(0x6496C8, PixelOf(tint)));
  // Where the path crosses itself, the same as where it does not.
  EXPECT_EQ(h.Shown().at(195, 150), h.Shown().at(225, 150));

  h.ClickOn(ButtonId(ToolbarButton::Undo));
  EXPECT_EQ(h.Shown(), frozen);

  // Shift at the release: the straight line from the press, tinted once.
  ToolDrag(h, loop, /*shift=*/true);
  EXPECT_EQ(h.Shown(),
            Tinted(frozen, PathSpans({loop.front(), loop.back()}, 18, kSelection), tint));
}

// A drag with Shift at the release draws what a plain drag to the constrained end draws.
TEST(Shift, SquaresRectanglesAndEllipsesAndTurnsArrowsTo45Degrees) {
  struct Case {
    ToolbarButton tool;
    PointF from, to, drawn_to;
  };
  const Case cases[] = {
      {ToolbarButton::Rectangle, {150, 150}, {190, 170}, {190, 190}},
      {ToolbarButton::Ellipse, {150, 150}, {190, 170}, {190, 190}},
      // Up and to the right from near the corner: the side stops at the selection's edge.
      {ToolbarButton::Rectangle, {280, 230}, {295, 200}, {300, 200}},
      {ToolbarButton::Ellipse, {280, 230}, {295, 200}, {300, 200}},
      {ToolbarButton::Arrow, {150, 150}, {200, 160}, {200, 150}},
      {ToolbarButton::Arrow, {150, 150}, {185, 195}, {190, 190}},
  };
  for (const Case& c : cases) {
    AnnotateHarness shifted, plain;
    for (AnnotateHarness* h : {&shifted, &plain}) h->ClickOn(ButtonId(c.tool));
    ToolDrag(shifted, {c.from, c.to}, /*shift=*/true);
    ToolDrag(plain, {c.from, c.drawn_to});
    EXPECT_EQ(shifted.Shown(), plain.Shown()) << static_cast<int>(c.tool) << " to " << c.to.x;
    EXPECT_NE(shifted.Shown(), plain.fake.screen.Grab());
  }
}

}  // namespace
}  // namespace capture
