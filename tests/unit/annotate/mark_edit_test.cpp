// Editing drawn marks as geometry: which mark a press takes, their handles, a mark moved and
// resized.
#include "annotate/mark_edit.h"

#include <gtest/gtest.h>

#include "form/controls.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

Mark Make(MarkKind kind, std::vector<PointF> points, float size = 0) {
  Mark mark;
  mark.kind = kind;
  mark.points = std::move(points);
  mark.size = size;
  mark.clip = {0, 0, 640, 480};
  return mark;
}

Document Of(std::initializer_list<Mark> marks) {
  Document document;
  for (const Mark& mark : marks) document.marks.push_back(std::make_shared<const Mark>(mark));
  return document;
}

TEST(MarkEdit, APressTakesTheOutlineTheShaftTheInsideOrTheStroke_TopmostFirst) {
  Mark mosaic = Make(MarkKind::Mosaic, {});
  mosaic.area = {100, 100, 150, 150};
  Mark text = Make(MarkKind::Text, {{100, 100}}, 12);  // 24 x 20 at 96 DPI on the fake
  text.text = u"abc";
  struct Case {
    const char* name;
    Mark mark;
    PointF hit, miss;
    int dpi = 96;
  };
  const Case cases[] = {
      {"rectangle outline",
       Make(MarkKind::Rectangle, {{110, 110}, {200, 180}}),
       {113.5f, 150},
       {114.5f, 150}},
      {"rectangle outside",
       Make(MarkKind::Rectangle, {{110, 110}, {200, 180}}),
       {106, 150},
       {105, 150}},
      {"rectangle at 192 DPI",
       Make(MarkKind::Rectangle, {{110, 110}, {200, 180}}),
       {117.5f, 150},
       {118.5f, 150},
       192},
      {"ellipse outline",
       Make(MarkKind::Ellipse, {{100, 100}, {200, 160}}),
       {150, 103.5f},
       {150, 105}},
      {"ellipse's inside",
       Make(MarkKind::Ellipse, {{100, 100}, {200, 160}}),
       {196, 130},
       {150, 130}},
      {"arrow's shaft", Make(MarkKind::Arrow, {{100, 100}, {200, 100}}), {150, 104}, {150, 105}},
      {"arrow beyond its tip",
       Make(MarkKind::Arrow, {{100, 100}, {200, 100}}),
       {204, 100},
       {205, 100}},
      {"pen within width + 2",
       Make(MarkKind::Pen, {{100, 100}, {200, 100}}, 4),
       {150, 104},
       {150, 104.5f}},
      {"highlighter",
       Make(MarkKind::Highlighter, {{100, 100}, {150, 150}}, 12),
       {130, 120},
       {140, 120}},
      {"mosaic's inside", mosaic, {149.5f, 120}, {150.5f, 120}},
      {"step's disc", Make(MarkKind::Step, {{150, 150}}, 20), {150, 159.5f}, {150, 161}},
      {"text's inside", text, {123, 119}, {125, 119}},
  };
  fake::FakeSurface surface;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Document document = Of({c.mark});
    EXPECT_EQ(MarkAt(document, c.hit, c.dpi, surface), std::optional<std::size_t>(0));
    EXPECT_EQ(MarkAt(document, c.miss, c.dpi, surface), std::nullopt);
  }
  const Document overlapping = Of({mosaic, Make(MarkKind::Step, {{120, 120}}, 20), mosaic});
  EXPECT_EQ(MarkAt(overlapping, {120, 120}, 96, surface), std::optional<std::size_t>(2));
}

TEST(MarkEdit, HandlesStandAroundTheBoxOrAtAnArrowsEnds_TextAndStepsHaveNone) {
  const Mark rectangle = Make(MarkKind::Rectangle, {{200, 180}, {100, 100}});
  const std::vector<PointF> box = MarkHandles(rectangle);
  ASSERT_EQ(box.size(), 8u);
  EXPECT_EQ(box[static_cast<int>(Handle::TopLeft)].x, 100);
  EXPECT_EQ(box[static_cast<int>(Handle::Bottom)].x, 150);
  EXPECT_EQ(box[static_cast<int>(Handle::Bottom)].y, 180);
  EXPECT_EQ(MarkHandleAt(rectangle, {203, 177}, 96), static_cast<int>(Handle::BottomRight));
  EXPECT_EQ(MarkHandleAt(rectangle, {205, 180}, 96), std::nullopt);
  EXPECT_EQ(MarkHandles(Make(MarkKind::Arrow, {{1, 2}, {3, 4}})).size(), 2u);
  EXPECT_EQ(MarkHandles(Make(MarkKind::Pen, {{1, 2}, {3, 4}, {5, 1}})).size(), 8u);
  EXPECT_TRUE(MarkHandles(Make(MarkKind::Step, {{1, 2}})).empty());
  EXPECT_TRUE(MarkHandles(Make(MarkKind::Text, {{1, 2}})).empty());
}

TEST(MarkEdit, ResizedByAHandle_ShiftKeepsASquareAnd45Degrees) {
  const SizeI picture{640, 480};
  const Mark rectangle = Make(MarkKind::Rectangle, {{200, 180}, {100, 100}});
  const auto corner = static_cast<int>(Handle::BottomRight);
  Mark r = Resized(rectangle, corner, {260, 200}, false, picture);
  EXPECT_EQ(r.points[0].x, 260);  // the point that was right stays the right one
  EXPECT_EQ(r.points[0].y, 200);
  EXPECT_EQ(r.points[1].x, 100);
  r = Resized(rectangle, corner, {260, 200}, true, picture);
  EXPECT_EQ(r.points[0].x - r.points[1].x, r.points[0].y - r.points[1].y) << "a square";
  r = Resized(rectangle, static_cast<int>(Handle::Left), {300, 150}, false, picture);
  EXPECT_EQ(MarkBox(r).left, 200) << "crossed over: the box turns round";
  EXPECT_EQ(MarkBox(r).right, 300);
  r = Resized(rectangle, static_cast<int>(Handle::Top), {150, -50}, false, picture);
  EXPECT_EQ(MarkBox(r).top, 0) << "kept on the picture";

  const Mark arrow = Make(MarkKind::Arrow, {{100, 100}, {200, 100}});
  Mark a = Resized(arrow, 1, {180, 170}, false, picture);
  EXPECT_EQ(a.points[1].x, 180);
  EXPECT_EQ(a.points[0].x, 100);
  a = Resized(arrow, 1, {190, 170}, true, picture);
  EXPECT_FLOAT_EQ(a.points[1].x - 100, a.points[1].y - 100) << "45 degrees";

  Mark pen = Make(MarkKind::Pen, {{100, 100}, {150, 120}, {200, 140}}, 4);
  pen.clip = {90, 90, 210, 150};
  const Mark stretched = Resized(pen, corner, {300, 180}, false, picture);
  EXPECT_EQ(stretched.points[1].x, 200);
  EXPECT_EQ(stretched.points[1].y, 140);
  EXPECT_GE(stretched.clip.right, 302) << "the clip grows to hold the stroke";
}

TEST(MarkEdit, MovedByWholePixels_KeptOnThePictureWithItsClip) {
  Mark pen = Make(MarkKind::Pen, {{100, 100}, {200, 140}}, 4);
  pen.clip = {90, 90, 210, 150};
  const Mark moved = Moved(pen, {20.4f, -10.6f}, {640, 480});
  EXPECT_EQ(moved.points[0].x, 120);
  EXPECT_EQ(moved.points[0].y, 89);
  EXPECT_EQ(moved.clip, (RectI{110, 79, 230, 139}));
  const Mark far = Moved(pen, {1000, -1000}, {640, 480});
  EXPECT_EQ(MarkBox(far).right, 640);
  EXPECT_EQ(MarkBox(far).top, 0);
  EXPECT_EQ(far.clip, (RectI{530, 0, 640, 50})) << "the clip moved too, cut to the picture";
}

}  // namespace
}  // namespace capture
