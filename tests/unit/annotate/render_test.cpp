// The renderer's partial redraw: a document with a mark of any kind moved, taken out or put in
// among others shows exactly what the same document drawn afresh shows, redrawing only around
// the change; a mosaic's kept pixels follow what lies under it and nothing else.
#include "annotate/render.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "form/history.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr RectI kClip{20, 20, 620, 460};

Mark Made(MarkKind kind, std::vector<PointF> points, float size = 0, Colour colour = 0x2040E0) {
  Mark mark;
  mark.kind = kind;
  mark.points = std::move(points);
  mark.size = size;
  mark.colour = colour;
  mark.clip = kClip;
  return mark;
}

Mark Mosaic(MosaicKind kind, const RectI& area) {
  Mark mark = Made(MarkKind::Mosaic, {});
  mark.area = area;
  mark.mosaic.kind = kind;
  return mark;
}

Mark Text(PointF at, std::u16string text) {
  Mark mark = Made(MarkKind::Text, {at}, 12, 0x10A010);
  mark.text = std::move(text);
  return mark;
}

// Marks of every kind, overlapping one another, two or more of each.
Document Overlapping() {
  const std::vector<Mark> marks = {
      Made(MarkKind::Rectangle, {{50, 50}, {300, 200}}),
      Text({120, 90}, u"Ab字"),
      Made(MarkKind::Step, {{200, 150}}, 30),
      Made(MarkKind::Pen, {{60, 60}, {250, 180}, {400, 100}}, 6, 0xE02020),
      Mosaic(MosaicKind::Cells, {150, 80, 350, 220}),
      Made(MarkKind::Ellipse, {{100, 100}, {380, 300}}),
      Made(MarkKind::Highlighter, {{80, 200}, {450, 150}, {300, 260}}, 18, 0x00FFFF),
      Made(MarkKind::Step, {{320, 160}}, 30),
      Made(MarkKind::Arrow, {{90, 250}, {330, 120}}),
      Mosaic(MosaicKind::Blur, {250, 120, 450, 320}),
      Made(MarkKind::Step, {{420, 300}}, 30),
      Made(MarkKind::Rectangle, {{200, 200}, {500, 400}}, 0, 0x808000),
      Text({300, 260}, u"xyz"),
      Made(MarkKind::Pen, {{420, 60}, {600, 440}}, 4),
      Mosaic(MosaicKind::Blur, {480, 40, 600, 140}),
      Made(MarkKind::Ellipse, {{30, 330}, {180, 450}}),
      Made(MarkKind::Arrow, {{600, 450}, {480, 330}}),
      Made(MarkKind::Highlighter, {{40, 420}, {200, 300}}, 12, 0xFFFF00),
      Mosaic(MosaicKind::Cells, {500, 380, 610, 450}),
  };
  Document document;
  std::uint64_t serial = 0;
  for (Mark mark : marks) {
    mark.serial = ++serial;
    document.marks.push_back(std::make_shared<const Mark>(std::move(mark)));
  }
  return document;
}

Mark Shifted(const Mark& mark, float dx, float dy) {
  Mark moved = mark;
  for (PointF& p : moved.points) p = {p.x + dx, p.y + dy};
  const int x = static_cast<int>(dx), y = static_cast<int>(dy);
  moved.area = {mark.area.left + x, mark.area.top + y, mark.area.right + x, mark.area.bottom + y};
  moved.serial += 1000;
  return moved;
}

// The surface of a capture of the noise picture, showing the document drawn afresh: every mark
// copied without what it kept, so that nothing rendered for another document is used.
Picture Afresh(const Document& document) {
  fake::FakeScreen screen(fake::NoisePicture(kWidth, kHeight));
  fake::FakeSurface surface;
  surface.Freeze(screen);
  Document copied;
  for (const MarkPtr& mark : document.marks) {
    Mark copy = *mark;
    copy.rendered.reset();
    copied.marks.push_back(std::make_shared<const Mark>(std::move(copy)));
  }
  History history;
  history.Start();
  ShowDocument(copied, history, surface);
  return surface.background();
}

// A capture showing the document, pushed as its newest step.
struct Shown {
  explicit Shown(const Document& document) {
    surface.Freeze(screen);
    history.Start();
    ShowDocument(document, history, surface);
    history.Reserve();
    history.Push(document);
  }
  // Shows the next document as the run does and returns the pixels restored for it.
  long long Show(const Document& next) {
    const long long before = surface.restored_pixels;
    ShowDocument(next, history, surface);
    history.Reserve();
    history.Push(next);
    return surface.restored_pixels - before;
  }
  fake::FakeScreen screen{fake::NoisePicture(kWidth, kHeight)};
  fake::FakeSurface surface;
  History history;
};

enum class Change { Moved, Removed, Inserted };

class PartialRedraw : public testing::TestWithParam<std::tuple<MarkKind, Change>> {};

TEST_P(PartialRedraw, ShowsWhatTheDocumentDrawnAfreshShows_RepaintingOnlyAroundTheChange) {
  const auto [kind, change] = GetParam();
  const Document before = Overlapping();
  std::size_t at = 0;  // the first mark of the kind, below others
  while (before.marks[at]->kind != kind) ++at;
  Document next = before;
  const auto place = next.marks.begin() + static_cast<std::ptrdiff_t>(at);
  if (change == Change::Moved) {
    next.marks[at] = std::make_shared<const Mark>(Shifted(*before.marks[at], 70, 45));
  } else if (change == Change::Removed) {
    next.marks.erase(place);
  } else {
    next.marks.insert(place + 1, std::make_shared<const Mark>(Shifted(*before.marks[at], -35, 60)));
  }
  Shown shown(before);
  const long long restored = shown.Show(next);
  EXPECT_EQ(shown.surface.background(), Afresh(next));
  EXPECT_GT(restored, 0);
  EXPECT_LT(restored, kWidth * kHeight * 3 / 4) << "redrew about everything";
  // And back again, as an undo shows it.
  ShowDocument(before, shown.history, shown.surface);
  shown.history.Undo();
  EXPECT_EQ(shown.surface.background(), Afresh(before));
}

std::string NameOf(const testing::TestParamInfo<PartialRedraw::ParamType>& param) {
  static constexpr const char* kKinds[] = {"Rectangle", "Ellipse",     "Arrow",  "Text",
                                           "Pen",       "Highlighter", "Mosaic", "Step"};
  static constexpr const char* kChanges[] = {"Moved", "Removed", "Inserted"};
  return std::string(kKinds[static_cast<int>(std::get<0>(param.param))]) +
         kChanges[static_cast<int>(std::get<1>(param.param))];
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, PartialRedraw,
    testing::Combine(testing::Values(MarkKind::Rectangle, MarkKind::Ellipse, MarkKind::Arrow,
                                     MarkKind::Text, MarkKind::Pen, MarkKind::Highlighter,
                                     MarkKind::Mosaic, MarkKind::Step),
                     testing::Values(Change::Moved, Change::Removed, Change::Inserted)),
    NameOf);

TEST(PartialRedraw, AMosaicMovedOverOtherMarksHidesThem_AndWhatItHidBeforeShowsAgain) {
  Document before = Overlapping();
  Mark blur = Mosaic(MosaicKind::Blur, {40, 40, 140, 120});
  blur.serial = 99;
  before.marks.push_back(std::make_shared<const Mark>(blur));
  Shown shown(before);
  // Over the first text and rectangle corner, then over the lower texts and shapes.
  for (const PointF by : {PointF{80, 40}, PointF{260, 210}}) {
    Document next = shown.history.Shown();
    next.marks.back() = std::make_shared<const Mark>(Shifted(*next.marks.back(), by.x, by.y));
    shown.Show(next);
    ASSERT_EQ(shown.surface.background(), Afresh(next)) << by.x;
  }
}

TEST(PartialRedraw, AMosaicIsRenderedAgainOnlyWhenWhatItReadsChanges) {
  const Document before = Overlapping();
  std::size_t blur = 0;
  while (before.marks[blur]->kind != MarkKind::Mosaic ||
         before.marks[blur]->mosaic.kind != MosaicKind::Blur) {
    ++blur;
  }
  Shown shown(before);
  const RenderedArea* kept = before.marks[blur]->rendered.get();
  ASSERT_NE(kept, nullptr);
  // The ellipse at the bottom left lies away from what the blur reads: the blur is pasted.
  Document far = before;
  std::size_t ellipse = before.marks.size() - 1;
  while (before.marks[ellipse]->kind != MarkKind::Ellipse) --ellipse;
  far.marks[ellipse] = std::make_shared<const Mark>(Shifted(*before.marks[ellipse], 0, -10));
  shown.Show(far);
  EXPECT_EQ(before.marks[blur]->rendered.get(), kept);
  // The arrow below it crosses what it reads: rendered again.
  Document near = far;
  std::size_t arrow = 0;
  while (before.marks[arrow]->kind != MarkKind::Arrow) ++arrow;
  near.marks[arrow] = std::make_shared<const Mark>(Shifted(*before.marks[arrow], 5, 5));
  shown.Show(near);
  EXPECT_NE(before.marks[blur]->rendered.get(), kept);
  EXPECT_EQ(shown.surface.background(), Afresh(near));
}

}  // namespace
}  // namespace capture
