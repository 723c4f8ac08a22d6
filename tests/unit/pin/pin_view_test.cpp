#include "pin/pin_view.h"

#include <gtest/gtest.h>

#include "pin/pin_keys.h"

namespace capture::pin {
namespace {

constexpr SizeI kSize{200, 100};
constexpr PointI kAt{300, 400};

RectI Rect(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

TEST(PinView, ShowsThePicture1To1WhereItWasInsideItsFrame) {
  for (const auto& [dpi, margin] : {std::pair{96, 9}, std::pair{144, 13}, std::pair{192, 17}}) {
    SCOPED_TRACE(dpi);
    const PinView view(kSize, kAt, dpi);
    EXPECT_EQ(view.PictureRect(), Rect(300, 400, 200, 100));
    EXPECT_EQ(view.frame().margin(), margin);
    EXPECT_EQ(view.WindowRect(),
              Rect(300 - margin, 400 - margin, 200 + 2 * margin, 100 + 2 * margin));
  }
}

// A picture taller than its monitor shows the monitor's height; the wheel scrolls it with the
// window in place, Shift+wheel zooms it (the part shown staying where it was), Ctrl+wheel still
// sets the opacity; once it fits, the wheel zooms again.
TEST(PinView, ATallPictureShowsAtMostTheLimitAndTheWheelScrollsIt) {
  PinView view({300, 3000}, {100, 50}, 96);
  view.LimitHeight(1000);
  EXPECT_EQ(view.PictureRect(), Rect(100, 50, 300, 1000));
  const RectI window = view.WindowRect();

  EXPECT_TRUE(view.Wheel(-2 * kWheelNotch, false, {200, 300}));
  EXPECT_EQ(view.scroll(), 2 * kScrollNotch);
  EXPECT_EQ(view.WindowRect(), window) << "the window moved as it scrolled";
  EXPECT_EQ(view.zoom(), 100);
  for (int i = 0; i < 30; ++i) view.Wheel(-kWheelNotch, false, {200, 300});
  EXPECT_EQ(view.scroll(), 2000);  // the last 1000 rows shown, no further
  EXPECT_FALSE(view.Wheel(-kWheelNotch, false, {200, 300}));
  EXPECT_TRUE(view.Wheel(kWheelNotch, false, {200, 300}));
  EXPECT_EQ(view.scroll(), 2000 - kScrollNotch);

  EXPECT_TRUE(view.Wheel(-kWheelNotch, true, {200, 300}));
  EXPECT_EQ(view.opacity(), 90);
  EXPECT_EQ(view.scroll(), 2000 - kScrollNotch);

  // 50 %: 1500 rows, still taller than 1000; the part shown stays at the window's top.
  EXPECT_TRUE(view.Wheel(-2 * kWheelNotch, false, {200, 300}, true));
  EXPECT_EQ(view.zoom(), 50);
  EXPECT_EQ(view.PictureRect().top, window.top + view.frame().margin());
  EXPECT_EQ(view.PictureRect().bottom - view.PictureRect().top, 1000);
  EXPECT_LE(view.scroll(), 500);
  // 25 %: 750 rows fit; the wheel zooms again.
  EXPECT_TRUE(view.Wheel(-2 * kWheelNotch, false, {200, 300}, true));
  EXPECT_EQ(view.zoom(), 25);
  EXPECT_EQ(view.scroll(), 0);
  EXPECT_EQ(view.PictureRect().bottom - view.PictureRect().top, 750);
  EXPECT_TRUE(view.Wheel(kWheelNotch, false, {200, 300}));
  EXPECT_EQ(view.zoom(), 33);

  // Dragged, the part shown follows the pointer.
  view.StartDrag({150, 100});
  const RectI before = view.PictureRect();
  view.DragTo({160, 130});
  EXPECT_EQ(view.PictureRect(), Rect(before.left + 10, before.top + 30, before.right - before.left,
                                     before.bottom - before.top));
}

// A notch zooms one step, the picture's point under the pointer staying there; steps back come
// to the same place; 10 % and 800 % are the ends.
TEST(PinView, WheelZoomsInStepsAroundThePointer) {
  PinView view(kSize, kAt, 96);
  const PointI pointer{350, 420};  // a quarter across, a fifth down
  EXPECT_TRUE(view.Wheel(kWheelNotch, false, pointer));
  EXPECT_EQ(view.zoom(), 150);
  EXPECT_EQ(view.PictureRect(), Rect(275, 390, 300, 150));
  EXPECT_TRUE(view.Wheel(2 * kWheelNotch, false, pointer));
  EXPECT_EQ(view.zoom(), 300);
  EXPECT_TRUE(view.Wheel(-3 * kWheelNotch, false, pointer));
  EXPECT_EQ(view.PictureRect(), Rect(300, 400, 200, 100));

  for (int i = 0; i < 20; ++i) view.Wheel(-kWheelNotch, false, pointer);
  EXPECT_EQ(view.zoom(), 10);
  EXPECT_EQ(view.PictureRect().right - view.PictureRect().left, 20);
  EXPECT_FALSE(view.Wheel(-kWheelNotch, false, pointer));
  for (int i = 0; i < 20; ++i) view.Wheel(kWheelNotch, false, pointer);
  EXPECT_EQ(view.zoom(), 800);
  EXPECT_EQ(view.PictureRect().right - view.PictureRect().left, 1600);
}

TEST(PinView, PartsOfANotchAddUpAndATurnBackStartsAfresh) {
  PinView view(kSize, kAt, 96);
  EXPECT_FALSE(view.Wheel(60, false, {}));
  EXPECT_TRUE(view.Wheel(60, false, {}));
  EXPECT_EQ(view.zoom(), 150);
  EXPECT_FALSE(view.Wheel(100, false, {}));
  EXPECT_FALSE(view.Wheel(-100, false, {}));  // not 100 - 100 + what was left
  EXPECT_EQ(view.zoom(), 150);
}

// A zoomed picture that would be larger than the system can show stops at the last step that fits.
TEST(PinView, ZoomStopsWhereTheWindowWouldBeTooLarge) {
  PinView view({3000, 100}, kAt, 96);
  for (int i = 0; i < 10; ++i) view.Wheel(kWheelNotch, false, {});
  EXPECT_EQ(view.zoom(), 200);  // 300 % would be 9000 pixels wide
}

TEST(PinView, CtrlWheelChangesTheOpacityBetween20And100) {
  PinView view(kSize, kAt, 96);
  EXPECT_FALSE(view.Wheel(kWheelNotch, true, {}));  // already opaque
  EXPECT_TRUE(view.Wheel(-3 * kWheelNotch, true, {}));
  EXPECT_EQ(view.opacity(), 70);
  for (int i = 0; i < 10; ++i) view.Wheel(-kWheelNotch, true, {});
  EXPECT_EQ(view.opacity(), 20);
  EXPECT_EQ(view.zoom(), 100);
  EXPECT_EQ(view.PictureRect(), Rect(300, 400, 200, 100));
}

TEST(PinView, ActualSizeGoesBackAroundThePointerOnThePictureElseItsCentre) {
  PinView view(kSize, kAt, 96);
  view.Wheel(kWheelNotch, false, {300, 400});  // 300 x 150 from the top-left
  EXPECT_TRUE(view.ActualSize({360, 430}));
  EXPECT_EQ(view.PictureRect(), Rect(320, 410, 200, 100));
  EXPECT_FALSE(view.ActualSize({360, 430}));

  view.Wheel(kWheelNotch, false, {320, 410});
  EXPECT_TRUE(view.ActualSize({0, 0}));  // off the picture: around its centre (470, 485)
  EXPECT_EQ(view.PictureRect(), Rect(370, 435, 200, 100));
}

TEST(PinView, DragKeepsTheGrabbedPointUnderThePointerAndArrowsMoveByWholePixels) {
  PinView view(kSize, kAt, 96);
  view.Wheel(kWheelNotch, false, {300, 400});
  view.StartDrag({310, 420});
  view.DragTo({-500, 30});  // across to a monitor on the left
  EXPECT_EQ(view.PictureRect(), Rect(-510, 10, 300, 150));
  view.EndDrag();
  view.DragTo({0, 0});
  EXPECT_EQ(view.PictureRect().left, -510);
  view.MoveBy(-10, 1);
  EXPECT_EQ(view.PictureRect(), Rect(-520, 11, 300, 150));
}

TEST(PinView, AnotherDpiChangesTheFrameNotThePicture) {
  PinView view(kSize, kAt, 96);
  view.SetDpi(192);
  EXPECT_EQ(view.PictureRect(), Rect(300, 400, 200, 100));
  EXPECT_EQ(view.WindowRect(), Rect(283, 383, 234, 134));
}

TEST(PlaceAtPointer, CentresOnThePointerKeptOnTheMonitor) {
  const RectI monitor{-1024, 0, 0, 768};
  EXPECT_EQ(PlaceAtPointer({200, 100}, {-500, 300}, monitor), (PointI{-600, 250}));
  EXPECT_EQ(PlaceAtPointer({200, 100}, {-1020, 10}, monitor), (PointI{-1024, 0}));
  EXPECT_EQ(PlaceAtPointer({200, 100}, {-5, 760}, monitor), (PointI{-200, 668}));
  EXPECT_EQ(PlaceAtPointer({2000, 100}, {-5, 300}, monitor), (PointI{-1024, 250}));
}

TEST(PinKeys, EachKeyItsCommand) {
  struct Case {
    KeyStroke key;
    std::optional<Command> command;
    PointI step;
  };
  const Case cases[] = {
      {{key::kEscape, false, false, false}, Command::Close, {}},
      {{key::kEscape, false, true, false}, Command::CloseAll, {}},
      {{'C', true, false, false}, Command::Copy, {}},
      {{'S', true, false, false}, Command::Save, {}},
      {{'1', false, false, false}, Command::ActualSize, {}},
      {{0x61, false, false, false}, Command::ActualSize, {}},  // the number pad's 1
      {{key::kLeft, false, false, false}, Command::Move, {-1, 0}},
      {{key::kDown, false, true, false}, Command::Move, {0, 10}},
      {{key::kRight, false, false, false}, Command::Move, {1, 0}},
      {{key::kUp, false, true, false}, Command::Move, {0, -10}},
      {{'1', false, true, false}, std::nullopt, {}},  // "!"
      {{'C', true, true, false}, std::nullopt, {}},   // Ctrl+Shift+C
      {{key::kLeft, true, false, false}, std::nullopt, {}},
      {{'C', true, false, true}, std::nullopt, {}},  // AltGr
      {{'C', false, false, false}, std::nullopt, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.key.code << (c.key.ctrl ? " ctrl" : "") << (c.key.shift ? " shift" : ""));
    const std::optional<Action> action = ActionOfKey(c.key);
    ASSERT_EQ(action.has_value(), c.command.has_value());
    if (!action) continue;
    EXPECT_EQ(action->command, *c.command);
    EXPECT_EQ(action->step, c.step);
  }
}

}  // namespace
}  // namespace capture::pin
