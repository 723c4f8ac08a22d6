#include "pin/pin_view.h"

#include <algorithm>
#include <cmath>

namespace capture::pin {
namespace {

constexpr std::size_t kActualSizeStep = 7;  // kZoomSteps[7] is 100
static_assert(kZoomSteps[kActualSizeStep] == 100);
// The shadow's reach at 96 DPI.
constexpr int kShadowDesign = 8;

std::int32_t Nearest(double value) {
  return static_cast<std::int32_t>(std::lround(value));
}

}  // namespace

Frame FrameAt(int dpi) {
  return {std::max(1, (kShadowDesign * dpi + 48) / 96)};
}

PinView::PinView(SizeI size, PointI top_left, int dpi)
    : size_(size),
      left_(top_left.x),
      top_(top_left.y),
      zoom_step_(kActualSizeStep),
      frame_(FrameAt(dpi)) {}

PinView::PinView(SizeI size, const KeptPin& kept, PointI top_left, int dpi)
    : PinView(size, top_left, dpi) {
  const auto step = std::find(kZoomSteps.begin(), kZoomSteps.end(), kept.zoom);
  if (step != kZoomSteps.end()) {
    const auto index = static_cast<std::size_t>(step - kZoomSteps.begin());
    const SizeI zoomed = ZoomedSize(index);
    if (std::max(zoomed.width, zoomed.height) <= kMaxZoomedSide || index <= kActualSizeStep) {
      zoom_step_ = index;
    }
  }
  opacity_ = std::clamp(kept.opacity, kMinOpacity, 100);
}

KeptPin PinView::Kept() const {
  const RectI picture = PictureRect();
  return {{picture.left, picture.top}, zoom(), opacity_};
}

SizeI PinView::ZoomedSize(std::size_t step) const {
  const double factor = kZoomSteps[step] / 100.0;
  return {std::max(1, Nearest(size_.width * factor)), std::max(1, Nearest(size_.height * factor))};
}

int PinView::ShownHeight() const {
  const int height = ZoomedSize(zoom_step_).height;
  return most_height_ > 0 ? std::min(height, most_height_) : height;
}

void PinView::ScrollTo(int scroll, double shown_top) {
  scroll_ = std::clamp(scroll, 0, ZoomedSize(zoom_step_).height - ShownHeight());
  top_ = shown_top - scroll_;
}

void PinView::LimitHeight(int most) {
  const double shown_top = top_ + scroll_;
  most_height_ = std::max(0, most);
  ScrollTo(scroll_, shown_top);
}

RectI PinView::PictureRect() const {
  const SizeI zoomed = ZoomedSize(zoom_step_);
  const std::int32_t left = Nearest(left_), top = Nearest(top_) + scroll_;
  return {left, top, left + zoomed.width, top + ShownHeight()};
}

RectI PinView::WindowRect() const {
  const RectI picture = PictureRect();
  const int m = frame_.margin();
  return {picture.left - m, picture.top - m, picture.right + m, picture.bottom + m};
}

bool PinView::ZoomAround(std::size_t step, double x, double y) {
  if (step == zoom_step_) return false;
  const SizeI zoomed = ZoomedSize(step);
  if (step > zoom_step_ && std::max(zoomed.width, zoomed.height) > kMaxZoomedSide) return false;
  const double ratio = static_cast<double>(kZoomSteps[step]) / kZoomSteps[zoom_step_];
  const double shown_top = top_ + scroll_;
  left_ = x - (x - left_) * ratio;
  top_ = y - (y - top_) * ratio;
  zoom_step_ = step;
  // The picture's point under the pointer stays. Of a picture taller than the limit the window
  // stays where it was: the part shown is the one the zoom put there, as far as the picture at its
  // new size allows.
  scroll_ = 0;
  if (ShownHeight() < ZoomedSize(step).height) ScrollTo(Nearest(shown_top - top_), shown_top);
  return true;
}

bool PinView::Wheel(int delta, bool ctrl, PointI pointer, bool shift) {
  // A turn the other way starts afresh rather than paying back what the last one left.
  if ((wheel_rest_ < 0) != (delta < 0)) wheel_rest_ = 0;
  wheel_rest_ += delta;
  const int notches = wheel_rest_ / kWheelNotch;
  wheel_rest_ -= notches * kWheelNotch;
  if (notches == 0) return false;
  if (ctrl) {
    const int before = opacity_;
    opacity_ = std::clamp(opacity_ + notches * kOpacityStep, kMinOpacity, 100);
    return opacity_ != before;
  }
  if (!shift && ShownHeight() < ZoomedSize(zoom_step_).height) {
    const int before = scroll_;
    ScrollTo(scroll_ - notches * kScrollNotch, top_ + scroll_);
    return scroll_ != before;
  }
  const int last = static_cast<int>(kZoomSteps.size()) - 1;
  const auto step =
      static_cast<std::size_t>(std::clamp(static_cast<int>(zoom_step_) + notches, 0, last));
  return ZoomAround(step, pointer.x, pointer.y);
}

bool PinView::ActualSize(PointI pointer) {
  const RectI picture = PictureRect();
  if (PtInRect(picture, pointer.x, pointer.y)) {
    return ZoomAround(kActualSizeStep, pointer.x, pointer.y);
  }
  return ZoomAround(kActualSizeStep, (picture.left + picture.right) / 2.0,
                    (picture.top + picture.bottom) / 2.0);
}

void PinView::MoveBy(int dx, int dy) {
  left_ = Nearest(left_) + dx;
  top_ = Nearest(top_) + dy;
}

void PinView::StartDrag(PointI pointer) {
  const RectI picture = PictureRect();
  grab_ = {pointer.x - picture.left, pointer.y - picture.top};
  dragging_ = true;
}

void PinView::DragTo(PointI pointer) {
  if (!dragging_) return;
  left_ = pointer.x - grab_.x;
  top_ = pointer.y - grab_.y - scroll_;
}

PointI PlaceAtPointer(SizeI size, PointI pointer, const RectI& area) {
  const auto place = [](int centre, int length, int low, int high) {
    const int start = centre - length / 2;
    if (length >= high - low) return low;
    return std::clamp(start, low, high - length);
  };
  return {place(pointer.x, size.width, area.left, area.right),
          place(pointer.y, size.height, area.top, area.bottom)};
}

}  // namespace capture::pin
