// A pin: a picture in its own small always-on-top window. This is where it stands, how large it
// is shown and how opaque, and what a wheel step or a drag does to that; the Windows shell shows
// it (shell/pin_window.h).
#pragma once

#include <array>

#include "pin/kept_pin.h"
#include "platform/types.h"

namespace capture::pin {

// The zoom steps in percent: nearest neighbour above 100, smooth below.
inline constexpr std::array<int, 14> kZoomSteps = {10,  15,  20,  25,  33,  50,  67,
                                                   100, 150, 200, 300, 400, 600, 800};
// A zoomed picture stays within this many pixels a side: the window and the picture drawn for it
// must stay something the system can make.
inline constexpr int kMaxZoomedSide = 8192;
// Opacity in percent: 20 to 100 in steps of 10.
inline constexpr int kMinOpacity = 20;
inline constexpr int kOpacityStep = 10;
// One notch of a mouse wheel (WHEEL_DELTA); finer wheels send parts of it.
inline constexpr int kWheelNotch = 120;
// Pixels a notch scrolls a pin taller than its monitor.
inline constexpr int kScrollNotch = 120;

// The frame around the picture, in pixels of the monitor the pin is on: a one-pixel outline and
// the soft shadow beyond it. The picture itself is never scaled by the DPI.
struct Frame {
  int shadow = 0;  // pixels of shadow outside the outline
  int margin() const { return 1 + shadow; }
};
Frame FrameAt(int dpi);

class PinView {
 public:
  // A picture of `size` shown 1:1 with its top-left at `top_left` (screen pixels), on a monitor
  // of `dpi`.
  PinView(SizeI size, PointI top_left, int dpi);
  // A kept pin shown again as it was, its picture's top-left at `top_left`; a zoom that is no
  // step, or one too large for the system, is 100 %, and the opacity is kept within its range.
  PinView(SizeI size, const KeptPin& kept, PointI top_left, int dpi);

  SizeI picture_size() const { return size_; }
  int zoom() const { return kZoomSteps[zoom_step_]; }
  int opacity() const { return opacity_; }
  const Frame& frame() const { return frame_; }

  // What a quit keeps of the pin to show it so again.
  KeptPin Kept() const;
  // The screen rectangle the picture covers at the present zoom: of a picture taller than the
  // height limit, the part shown.
  RectI PictureRect() const;
  // The whole picture's size at the present zoom.
  SizeI zoomed_size() const { return ZoomedSize(zoom_step_); }
  // Rows of the zoomed picture above the part shown: 0 unless it is taller than the limit.
  int scroll() const { return scroll_; }
  // The most of the picture's height shown (its monitor's height less the frame); a taller one is
  // shown in part and the wheel scrolls it. 0: no limit.
  void LimitHeight(int most);
  // The window's rectangle: the picture with the frame around it.
  RectI WindowRect() const;

  // A wheel turn over the pin by `delta` (kWheelNotch a notch, up is positive). Without Ctrl it
  // zooms one step a notch, the picture's point under `pointer` staying under it; with Ctrl it
  // changes the opacity. A picture taller than the limit is scrolled instead (kScrollNotch a
  // notch, the window staying where it is), and zoomed with Shift. Parts of a notch add up. True
  // when the zoom, the opacity or the part shown changed.
  bool Wheel(int delta, bool ctrl, PointI pointer, bool shift = false);
  // Back to 100 %, around `pointer` when it lies on the picture, else around its centre. True
  // when the zoom changed.
  bool ActualSize(PointI pointer);
  // Moves the pin by whole pixels (an arrow key).
  void MoveBy(int dx, int dy);
  // A left press at `pointer` starts a drag; each pointer position then places the pin so that
  // the grabbed point stays under the pointer.
  void StartDrag(PointI pointer);
  void DragTo(PointI pointer);
  void EndDrag() { dragging_ = false; }
  bool dragging() const { return dragging_; }
  // The pin reached a monitor of another DPI: the frame takes its size there, the picture stays
  // where it is and as large as it is.
  void SetDpi(int dpi) { frame_ = FrameAt(dpi); }

 private:
  bool ZoomAround(std::size_t step, double x, double y);
  SizeI ZoomedSize(std::size_t step) const;
  // The height of the part shown at the present zoom.
  int ShownHeight() const;
  // Scrolls to `scroll` (kept within the picture), the part shown staying at `shown_top`.
  void ScrollTo(int scroll, double shown_top);

  SizeI size_;
  // The picture's top-left, exact: zooming in and out again around one point comes back to the
  // same place.
  double left_, top_;
  std::size_t zoom_step_;
  int opacity_ = 100;
  Frame frame_;
  int wheel_rest_ = 0;   // the part of a notch not acted on yet, by sign
  int most_height_ = 0;  // 0: no limit
  int scroll_ = 0;       // zoomed rows above the part shown; the part's top is top_ + scroll_
  PointI grab_;          // the pointer's offset from the picture's top-left at the press
  bool dragging_ = false;
};

// Where a picture of `size` goes on the monitor `area` when it is pinned from the clipboard:
// centred on the pointer, then moved as little as needed to lie on the monitor (its top-left on
// the monitor when it is larger).
PointI PlaceAtPointer(SizeI size, PointI pointer, const RectI& area);

}  // namespace capture::pin
