// The history of documents: positions, what a push drops, what versions share, and that every
// document shown by undo and redo is exactly the picture that was drawn when it was made.
#include "form/history.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "annotate/annotate_harness.h"
#include "annotate/render.h"

namespace capture {
namespace {

using testing::AnnotateHarness;

Document With(const Document& d, MarkKind kind, std::uint64_t serial) {
  Document next = d;
  Mark mark;
  mark.kind = kind;
  mark.points = {{1, 2}, {30, 40}};
  mark.serial = serial;
  next.marks.push_back(std::make_shared<const Mark>(std::move(mark)));
  return next;
}

void Push(History& history, MarkKind kind = MarkKind::Rectangle) {
  Document next = With(history.Shown(), kind, history.NewSerial());
  history.Reserve();
  history.Push(std::move(next));
}

TEST(History, PushUndoRedo_MoveTheShownOne_APushAfterUndoDropsAndFreesWhatRedoReached) {
  History history;
  history.Start();
  EXPECT_EQ(history.Current(), 1);
  EXPECT_TRUE(history.Shown().marks.empty());
  EXPECT_FALSE(history.Undo());
  Push(history);
  Push(history);
  Push(history);
  EXPECT_EQ(history.Count(), 4);
  EXPECT_EQ(history.Shown().marks.size(), 3u);
  const std::weak_ptr<const Mark> third = history.Shown().marks[2];
  EXPECT_TRUE(history.Undo());
  EXPECT_TRUE(history.Undo());
  EXPECT_TRUE(history.Redo());
  EXPECT_EQ(history.Current(), 3);
  Push(history);
  EXPECT_EQ(history.Count(), 4);
  EXPECT_FALSE(history.Redo());
  EXPECT_TRUE(third.expired());
}

TEST(History, AStepCostsTheMarksItChanged_NotTheListOfTheOthers) {
  History history;
  history.Start();
  for (int i = 0; i < 100; ++i) Push(history);
  // 1,000 moves of the mark in the middle: each a new mark in its place.
  const std::size_t before = history.Bytes();
  for (int i = 0; i < 1000; ++i) {
    Document next = history.Shown();
    Mark moved = *next.marks[50];
    moved.points[0].x += 1;
    next.marks[50] = std::make_shared<const Mark>(std::move(moved));
    history.Reserve();
    history.Push(std::move(next));
  }
  EXPECT_LT(history.Bytes() - before, 1000 * (sizeof(Mark) + 200));
  EXPECT_EQ(history.Shown().marks.size(), 100u);
}

// Random changes anywhere in the list (insert, remove, replace, several at once, everything at
// once), undone and redone at random: every document shown and every At() is the one pushed.
TEST(History, ChangesAnywhere_UndoRedoAndAtGiveBackEveryDocumentPushed) {
  std::mt19937 random(11);
  History history;
  history.Start();
  std::vector<Document> pushed{Document{}};  // pushed[k - 1]: document k
  const auto fresh = [&history] {
    Mark mark;
    mark.serial = history.NewSerial();
    return std::make_shared<const Mark>(std::move(mark));
  };
  for (int round = 0; round < 400; ++round) {
    const auto action = random() % 8;
    if (action < 5) {
      Document next = history.Shown();
      const std::size_t size = next.marks.size();
      const auto place = [&random](std::size_t n) { return n == 0 ? 0 : random() % n; };
      if (action == 0 || size == 0) {
        next.marks.insert(next.marks.begin() + static_cast<long>(place(size + 1)), fresh());
      } else if (action == 1) {
        next.marks.erase(next.marks.begin() + static_cast<long>(place(size)));
      } else if (action == 2) {
        next.marks[place(size)] = fresh();
      } else if (action == 3) {
        for (int i = 0; i < 5; ++i) next.marks.push_back(fresh());  // more than a step's room
      } else {
        next.marks.clear();
      }
      history.Reserve();
      pushed.resize(static_cast<std::size_t>(history.Current()));
      pushed.push_back(next);
      history.Push(std::move(next));
    } else if (action < 7) {
      history.Undo();
    } else {
      history.Redo();
    }
    ASSERT_EQ(history.Count(), static_cast<int>(pushed.size()));
    ASSERT_EQ(history.Shown().marks, pushed[static_cast<std::size_t>(history.Current() - 1)].marks)
        << round;
    const int k = 1 + static_cast<int>(random() % pushed.size());
    ASSERT_EQ(history.At(k).marks, pushed[static_cast<std::size_t>(k - 1)].marks) << round;
  }
}

// Draws a random mark of a random kind through the run.
void DrawSomething(AnnotateHarness& h, std::mt19937& random) {
  static constexpr ToolbarButton kTools[] = {ToolbarButton::Rectangle,   ToolbarButton::Ellipse,
                                             ToolbarButton::Arrow,       ToolbarButton::Pen,
                                             ToolbarButton::Highlighter, ToolbarButton::Mosaic,
                                             ToolbarButton::Steps,       ToolbarButton::Text};
  const ToolbarButton tool = kTools[random() % std::size(kTools)];
  if (h.choice().tool != ToolOf(tool) || !h.choice().active) h.ClickOn(ButtonId(tool));
  if (tool == ToolbarButton::Mosaic && h[ControlId::StylePanel].visible) {
    h.ClickOn(ChoiceId(static_cast<int>(random() % 2)));  // cells or blur
  }
  const auto at = [&random](int from, int span) {
    return static_cast<float>(from + static_cast<int>(random() % static_cast<unsigned>(span)));
  };
  const float x = at(105, 190), y = at(105, 140);
  if (tool == ToolbarButton::Text) {
    h.Click(x, y);
    if (!h[ControlId::TextBox].visible) return;  // the click took a mark
    h.run.TextChanged(ControlId::TextBox, u"ab");
    h.Click(x < 200 ? 295 : 102, y < 175 ? 245 : 102);  // away from the box: draws the text
    return;
  }
  h.run.MouseDown(button::kLeft, x, y);
  h.run.MouseMove(button::kLeft, at(100, 200), at(100, 150));
  h.run.MouseMove(button::kLeft, at(100, 200), at(100, 150));
  h.run.MouseUp(button::kLeft, at(100, 200), at(100, 150));
}

TEST(History, RandomMarksMovedUndoneAndRedone_EachDocumentShowsExactlyThePictureItWasDrawnAs) {
  AnnotateHarness h;
  std::mt19937 random(7);
  std::vector<Picture> drawn = {h.Shown()};  // the picture of document k at k - 1
  for (int step = 0; step < 120; ++step) {
    const auto action = static_cast<unsigned>(random() % 10);
    if (action < 5) {
      // A press on a mark moves it instead: a step too, or none when it stays.
      const History& history = h.form.history;
      const int current = history.Current(), count = history.Count();
      DrawSomething(h, random);
      if (history.Current() != current || history.Count() != count) {
        drawn.resize(static_cast<std::size_t>(history.Count()));
        drawn.at(static_cast<std::size_t>(history.Current() - 1)) = h.Shown();
      }
      ASSERT_EQ(drawn.size(), static_cast<std::size_t>(history.Count()));
    } else {
      if (action < 8 && h.form.history.Current() == 1) continue;  // past the first: selecting
      h.ClickOn(ButtonId(action < 8 ? ToolbarButton::Undo : ToolbarButton::Redo));
      ASSERT_EQ(h.Shown(), drawn.at(static_cast<std::size_t>(h.form.history.Current() - 1)))
          << "step " << step;
    }
  }
}

}  // namespace
}  // namespace capture
