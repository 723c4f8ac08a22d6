#include "join/frame_joiner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace capture::join {
namespace {

// A long page of textured rows seen through an area, as a window shows it while it scrolls.
struct Scene {
  int width = 64;
  int view_rows = 120;  // the area's height
  int page_rows = 600;  // the content's height
  int header = 0;       // fixed rows at the top of the area
  int footer = 0;       // fixed rows at the bottom
  int scroll_bar = 0;   // columns of a scroll bar at the right, its thumb following the position
  int period = 0;       // content that repeats every `period` rows from row `repeat_from` on
  int repeat_from = 0;
  int loaded = 1 << 30;  // content rows from here on show blank, not yet drawn

  int ContentRows() const { return view_rows - header - footer; }
  int LastPosition() const { return page_rows - ContentRows(); }

  // Content row `r`: stripes of noise between plain runs, like lines of text on paper.
  std::uint32_t Content(int x, int r) const {
    if (period > 0 && r >= repeat_from) r = repeat_from + (r - repeat_from) % period;
    if (r >= loaded) return 0xFFFFFF;
    if (r % 7 == 6) return 0xFFFFFF;
    std::uint32_t h =
        static_cast<std::uint32_t>(r) * 2654435761u ^ static_cast<std::uint32_t>(x) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return (h ^ (h >> 15)) & 0xFFFFFF;
  }

  // The area with the content scrolled to `position`.
  Picture Frame(int position) const {
    Picture frame(width, view_rows);
    const int content_width = width - scroll_bar;
    const int track = view_rows;
    const int thumb_top = position * track / page_rows;
    const int thumb_end = (position + ContentRows()) * track / page_rows;
    for (int y = 0; y < view_rows; ++y) {
      for (int x = 0; x < width; ++x) {
        std::uint32_t p = 0;
        if (x >= content_width) {
          p = y >= thumb_top && y < thumb_end ? 0x808080 : 0xE0E0E0;
        } else if (y < header) {
          p = 0x200000u + static_cast<std::uint32_t>(y * 3 + x);
        } else if (y >= view_rows - footer) {
          p = 0x002000u + static_cast<std::uint32_t>(y * 5 + x);
        } else {
          p = Content(x, position + y - header);
        }
        frame.at(x, y) = p;
      }
    }
    return frame;
  }

  // The whole page as it should come out: header, every content row once, footer, no scroll bar.
  Picture Truth() const {
    const int content_width = width - scroll_bar;
    Picture truth(content_width, header + page_rows + footer);
    const Picture first = Frame(0), last = Frame(LastPosition());
    for (int y = 0; y < truth.height; ++y) {
      for (int x = 0; x < content_width; ++x) {
        if (y < header)
          truth.at(x, y) = first.at(x, y);
        else if (y < header + page_rows)
          truth.at(x, y) = Content(x, y - header);
        else
          truth.at(x, y) = last.at(x, view_rows - (truth.height - y));
      }
    }
    return truth;
  }
};

// Joins the frames at `positions` in turn; stops at the first that is not added or unmoved.
Joined JoinAt(FrameJoiner& joiner, const Scene& scene, const std::vector<int>& positions) {
  Joined last = Joined::Added;
  for (const int position : positions) {
    const Picture frame = scene.Frame(position);
    last = joiner.Add(PixelView::Of(frame), {});
    if (last != Joined::Added && last != Joined::Unmoved) break;
  }
  return last;
}

// Positions from 0 to the end by `step`, the last step shorter as a real list's end is.
std::vector<int> Steps(const Scene& scene, int step) {
  std::vector<int> positions;
  for (int p = step; p < scene.LastPosition() + step; p += step) {
    positions.push_back(std::min(p, scene.LastPosition()));
  }
  positions.push_back(scene.LastPosition());  // the end: nothing moves
  return positions;
}

struct Case {
  const char* name;
  Scene scene;
  int step;
};

class JoinWholePage : public testing::TestWithParam<Case> {};

TEST_P(JoinWholePage, EqualsThePageWithBandsOnceAndNoScrollBar) {
  const Scene& scene = GetParam().scene;
  const Picture first = scene.Frame(0);
  FrameJoiner joiner(PixelView::Of(first), {}, 30000);
  EXPECT_EQ(JoinAt(joiner, scene, Steps(scene, GetParam().step)), Joined::Unmoved);
  EXPECT_FALSE(joiner.refusal());
  const Picture joined = joiner.Take();
  const Picture truth = scene.Truth();
  ASSERT_EQ(joined.width, truth.width);
  ASSERT_EQ(joined.height, truth.height);
  for (int y = 0; y < truth.height; ++y) {
    for (int x = 0; x < truth.width; ++x)
      ASSERT_EQ(joined.at(x, y), truth.at(x, y)) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Options, JoinWholePage,
    testing::Values(Case{"Plain", Scene{}, 40},
                    Case{"HeaderAndFooter", Scene{.header = 14, .footer = 9}, 30},
                    Case{"ScrollBar", Scene{.scroll_bar = 12}, 40},
                    Case{"AllAtOnce", Scene{.header = 10, .footer = 10, .scroll_bar = 12}, 33},
                    Case{"StepNotDividingThePage", Scene{.page_rows = 611}, 47},
                    Case{"PageShorterThanTwoViews", Scene{.page_rows = 170}, 45}),
    [](const testing::TestParamInfo<Case>& param) { return param.param.name; });

// Whether the picture's rows all equal the truth's rows of the same number.
void ExpectRowsOfTruth(const Picture& joined, const Picture& truth) {
  ASSERT_EQ(joined.width, truth.width);
  ASSERT_LE(joined.height, truth.height);
  for (int y = 0; y < joined.height; ++y) {
    for (int x = 0; x < joined.width; ++x)
      ASSERT_EQ(joined.at(x, y), truth.at(x, y)) << x << "," << y;
  }
}

TEST(Join, ScrollingBackIsFollowedAndNothingIsStitchedTwice) {
  const Scene scene{.header = 12, .footer = 8};
  const Picture start = scene.Frame(200);
  FrameJoiner joiner(PixelView::Of(start), {}, 30000);
  // Down, back up past where it started, then down to the end.
  std::vector<int> positions = {240, 280, 230, 180, 130, 80, 30, 0, 50, 100};
  for (const int p : Steps(scene, 45)) {
    if (p > 100) positions.push_back(p);
  }
  EXPECT_EQ(JoinAt(joiner, scene, positions), Joined::Unmoved);
  EXPECT_EQ(joiner.Take(), scene.Truth());
}

TEST(Join, RowsThatFillInAfterTheyScrollInAreTakenWhenTheyDo) {
  Scene scene{.view_rows = 240};
  const Picture first = scene.Frame(0);
  FrameJoiner joiner(PixelView::Of(first), {}, 30000);
  std::vector<int> shown = {0, 0, 0};
  std::vector<int> positions = Steps(scene, 40);
  positions.pop_back();  // the frame at the end comes below, with every row drawn
  for (const int p : positions) {
    // The frame as it settles at first: the rows of the last three notches still blank.
    scene.loaded = shown[shown.size() - 3] + scene.ContentRows();
    const Picture early = scene.Frame(p);
    ASSERT_NE(joiner.Add(PixelView::Of(early), {}), Joined::Refused) << p;
    shown.push_back(p);
  }
  scene.loaded = 1 << 30;
  const Picture last = scene.Frame(shown.back());
  EXPECT_EQ(joiner.Add(PixelView::Of(last), {}), Joined::Added);
  EXPECT_EQ(joiner.Take(), scene.Truth());
}

// The scene at `position` with a caret on content rows 60 to 75 at column 20 when `on`; `mask`
// marks the caret's pixels, as if seen to blink while the frame settled.
Picture CaretFrame(const Scene& scene, int position, bool on, std::vector<std::uint8_t>* mask) {
  Picture frame = scene.Frame(position);
  mask->assign(frame.pixels.size(), 0);
  for (int y = std::max(0, 60 - position); y < std::min(frame.height, 75 - position); ++y) {
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width) + 20;
    if (on) frame.pixels[at] = 0;
    (*mask)[at] = 1;
  }
  return frame;
}

TEST(Join, ABlinkingCaretSeenOnceIsLeftOutOfTheComparisonWhileInView) {
  const Scene scene;
  // Seen blinking in no frame, in the first only (the area watched before scrolling), in every
  // other frame.
  for (const int seen_every : {0, 1000, 2}) {
    std::vector<std::uint8_t> mask;
    const Picture first = CaretFrame(scene, 0, true, &mask);
    FrameJoiner joiner(PixelView::Of(first), seen_every > 0 ? Unsteady(mask) : Unsteady(), 30000);
    Joined last = Joined::Added;
    int frame_number = 0;
    for (const int p : Steps(scene, 30)) {
      ++frame_number;
      const Picture frame = CaretFrame(scene, p, frame_number % 2 == 0, &mask);
      const bool seen = seen_every > 0 && frame_number % seen_every == 0;
      last = joiner.Add(PixelView::Of(frame), seen ? Unsteady(mask) : Unsteady());
      if (last == Joined::Refused) break;
    }
    if (seen_every == 0) {
      EXPECT_EQ(last, Joined::Refused) << "a caret nobody saw blink is a change of content";
      continue;
    }
    EXPECT_EQ(last, Joined::Unmoved) << seen_every << ": refused at frame " << frame_number;
    Picture joined = joiner.Take();
    for (int y = 60; y < 75; ++y) joined.at(20, y) = scene.Content(20, y);
    EXPECT_EQ(joined, scene.Truth()) << seen_every;
  }
}

TEST(Join, RepeatingContentIsRefusedAndThePictureIsRightAsFarAsItGoes) {
  const Scene scene{.header = 10, .period = 21, .repeat_from = 300};
  const Picture first = scene.Frame(0);
  FrameJoiner joiner(PixelView::Of(first), {}, 30000);
  EXPECT_EQ(JoinAt(joiner, scene, Steps(scene, 40)), Joined::Refused);
  ASSERT_TRUE(joiner.refusal());
  EXPECT_EQ(joiner.refusal()->why, Refusal::Why::Twice);
  EXPECT_EQ(joiner.refusal()->at_row, joiner.Height());
  EXPECT_GT(joiner.Height(), 300);
  EXPECT_EQ(
      RefusalText(*joiner.refusal()), u"无法拼接：第 " + std::u16string(u"") + [&] {
        std::u16string n;
        for (const char c : std::to_string(joiner.Height())) n += static_cast<char16_t>(c);
        return n;
      }() + u" 行以下内容重复，位置不唯一");
  ExpectRowsOfTruth(joiner.Take(), scene.Truth());
  // A frame after the refusal changes nothing.
  const Picture more = scene.Frame(scene.LastPosition());
  EXPECT_EQ(joiner.Add(PixelView::Of(more), {}), Joined::Refused);
}

TEST(Join, AFrameThatMatchesNowhereIsRefused) {
  const Scene scene;
  const Picture first = scene.Frame(0), second = scene.Frame(40);
  FrameJoiner joiner(PixelView::Of(first), {}, 30000);
  ASSERT_EQ(joiner.Add(PixelView::Of(second), {}), Joined::Added);
  // The same rows drawn one pixel to the right: changed while scrolling.
  Picture shifted = scene.Frame(80);
  for (int y = 0; y < shifted.height; ++y) {
    for (int x = shifted.width - 1; x > 0; --x) shifted.at(x, y) = shifted.at(x - 1, y);
  }
  EXPECT_EQ(joiner.Add(PixelView::Of(shifted), {}), Joined::Refused);
  EXPECT_EQ(joiner.refusal()->why, Refusal::Why::Nowhere);
  EXPECT_EQ(joiner.Height(), 160);
  ExpectRowsOfTruth(joiner.Take(), scene.Truth());

  // A frame of another size, or a mask that is not one byte a pixel, is no frame of the area.
  const Picture shorter = Scene{.view_rows = 100}.Frame(40);
  const std::vector<std::uint8_t> short_mask(10, 1);
  for (const bool wrong_mask : {false, true}) {
    FrameJoiner other(PixelView::Of(first), {}, 30000);
    const Joined joined = wrong_mask ? other.Add(PixelView::Of(second), short_mask)
                                     : other.Add(PixelView::Of(shorter), {});
    EXPECT_EQ(joined, Joined::Refused) << wrong_mask;
  }
}

TEST(Join, StopsAtTheGreatestHeight) {
  const Scene scene{.footer = 10};
  const Picture first = scene.Frame(0);
  FrameJoiner joiner(PixelView::Of(first), {}, 300);
  EXPECT_EQ(JoinAt(joiner, scene, Steps(scene, 40)), Joined::Full);
  EXPECT_EQ(joiner.Height(), 300);
  Picture top = joiner.Take();
  top.Resize(top.width, 290);  // the footer follows the content kept
  ExpectRowsOfTruth(top, scene.Truth());
}

}  // namespace
}  // namespace capture::join
