#include "selection/magnifier.h"

#include <gtest/gtest.h>

#include "form_harness.h"

namespace capture {
namespace {

using testing::FormHarness;

TEST(Magnifier, Place_BesideThePointer_AcrossItNearAnEdge_NeverOffTheMonitor) {
  const RectI monitor{1000, 0, 2000, 800};  // a second monitor, right of the primary
  const PointF size{122, 138};
  struct Case {
    const char* where;
    PointF pointer, at;
  } cases[] = {
      {"middle", {1500, 400}, {1520, 420}},
      {"right edge", {1950, 400}, {1808, 420}},
      {"bottom edge", {1500, 750}, {1520, 592}},
      {"bottom-right corner", {1999, 799}, {1857, 641}},
      {"top-right corner", {1990, 0}, {1848, 20}},
      {"bottom-left corner", {1000, 799}, {1020, 641}},
      {"top-left corner", {1000, 0}, {1020, 20}},
  };
  for (const Case& c : cases) {
    const PointF at = MagnifierPlace(c.pointer, size, 20, monitor);
    EXPECT_FLOAT_EQ(at.x, c.at.x) << c.where;
    EXPECT_FLOAT_EQ(at.y, c.at.y) << c.where;
  }
  // A monitor too small for either side: inside it, from its top-left.
  const PointF squeezed = MagnifierPlace({50, 50}, size, 20, {0, 0, 150, 150});
  EXPECT_FLOAT_EQ(squeezed.x, 0);
  EXPECT_FLOAT_EQ(squeezed.y, 0);
}

TEST(Magnifier, ShowsThePixelsAroundThePointerWithItsPositionAndColour) {
  Picture picture = fake::NoisePicture(640, 480);
  picture.at(200, 100) = 0x12AB34;
  FormHarness h(picture);
  h.run.MouseMove(0, 1, 1);  // the system's move as the window appears
  EXPECT_FALSE(h[ControlId::Magnifier].visible);
  h.run.MouseMove(0, 200, 100);
  ASSERT_TRUE(h[ControlId::Magnifier].visible);
  EXPECT_FLOAT_EQ(h[ControlId::Magnifier].left, 220);
  EXPECT_FLOAT_EQ(h[ControlId::Magnifier].top, 120);
  const std::vector<std::uint32_t>& zoom = h[ControlId::MagnifierZoom].zoom;
  ASSERT_EQ(zoom.size(), std::size_t{kZoomColumns} * std::size_t{kZoomRows});
  EXPECT_EQ(zoom[5 * kZoomColumns + 7], 0x12AB34u);
  EXPECT_EQ(zoom[0], picture.at(193, 95));
  EXPECT_EQ(zoom.back(), picture.at(207, 105));
  EXPECT_EQ(h[ControlId::MagnifierPosition].caption, u"(200, 100)");
  EXPECT_EQ(h[ControlId::MagnifierColour].caption, u"RGB(18, 171, 52)");
  EXPECT_EQ(h[ControlId::MagnifierHex].caption, u"#12AB34");
  h.run.KeyPress({'C', false, false, false});
  EXPECT_EQ(h[ControlId::MagnifierHex].caption, u"已复制 #12AB34");
  h.run.TimerElapsed();  // the moment is over, the pointer still there
  EXPECT_EQ(h[ControlId::MagnifierHex].caption, u"#12AB34");
  h.run.KeyPress({'C', false, false, false});
  h.run.MouseMove(0, 0, 0);  // at the corner, off-picture pixels are black
  EXPECT_EQ(h[ControlId::MagnifierZoom].zoom[0], 0u);
  EXPECT_EQ(h[ControlId::MagnifierHex].caption.substr(0, 1), u"#");
}

TEST(Magnifier, ThereWhileAimingDrawingOrResizing_GoneOnceTheSelectionIsFinished) {
  FormHarness h;
  h.run.MouseMove(0, 5, 5);
  h.run.MouseMove(0, 100, 100);
  EXPECT_TRUE(h[ControlId::Magnifier].visible);
  h.run.MouseDown(button::kLeft, 100, 100);
  h.run.MouseMove(button::kLeft, 300, 250);
  EXPECT_TRUE(h[ControlId::Magnifier].visible) << "while the selection is drawn";
  h.run.MouseUp(button::kLeft, 300, 250);
  EXPECT_FALSE(h[ControlId::Magnifier].visible) << "once it is finished";
  h.run.MouseMove(0, 200, 200);
  EXPECT_FALSE(h[ControlId::Magnifier].visible);

  const PointF corner = h.form.controls.Origin(HandleId(Handle::BottomRight));
  h.run.MouseDown(button::kLeft, corner.x + 1, corner.y + 1);
  h.run.MouseMove(button::kLeft, 350, 300);
  EXPECT_TRUE(h[ControlId::Magnifier].visible) << "while a handle is dragged";
  h.run.MouseUp(button::kLeft, 350, 300);
  EXPECT_FALSE(h[ControlId::Magnifier].visible);

  h.run.MouseDown(button::kLeft, 200, 200);  // a move drag
  h.run.MouseMove(button::kLeft, 210, 210);
  EXPECT_FALSE(h[ControlId::Magnifier].visible);
}

TEST(Magnifier, ArrowsMoveThePointerWhileAiming_AndTheSelectionOnceFinished) {
  FormHarness h;
  h.run.MouseMove(0, 100, 100);
  h.run.KeyPress({key::kLeft, false, false, false});
  h.run.MouseDown(button::kLeft, 100, 100);
  h.run.MouseMove(button::kLeft, 150, 120);
  h.run.KeyPress({key::kDown, false, true, false});
  EXPECT_EQ(h.fake.window.pointer_moves, (std::vector<PointI>{{99, 100}, {150, 130}}));
  h.run.MouseUp(button::kLeft, 150, 120);
  h.run.KeyPress({key::kRight, false, false, false});
  EXPECT_EQ(h.fake.window.pointer_moves.size(), 2u);
  EXPECT_EQ(h.form.SelectionRect(), (RectI{101, 100, 151, 120}));
}

}  // namespace
}  // namespace capture
