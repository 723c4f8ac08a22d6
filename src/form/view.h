// How the window shows a picture that is not the screen (长截图's joined picture, taller than the
// screen): the form works in the picture's coordinates, and the window shows the picture moved by
// an offset that the wheel changes. While the picture is the screen there is no view: the offset
// is zero and window coordinates are picture coordinates.
#pragma once

#include <algorithm>

#include "platform/types.h"

namespace capture {

struct View {
  PointI offset;   // window point + offset = picture point
  SizeI picture;   // the picture shown; empty while the picture is the screen
  int top = 0;     // the smallest offset.y: the picture's top where the view started
  int bottom = 0;  // the largest offset.y: the picture's bottom at the window's bottom
  RectI source;    // the window's area the picture was made from (the selection scrolled)

  bool Shown() const { return picture.width > 0 && picture.height > 0; }
  PointF ToPicture(PointF window_point) const {
    return {window_point.x + static_cast<float>(offset.x),
            window_point.y + static_cast<float>(offset.y)};
  }
  PointI ToWindow(PointI picture_point) const {
    return {picture_point.x - offset.x, picture_point.y - offset.y};
  }
  RectI ToWindow(const RectI& r) const {
    return {r.left - offset.x, r.top - offset.y, r.right - offset.x, r.bottom - offset.y};
  }
  RectI ToPicture(const RectI& r) const {
    return {r.left + offset.x, r.top + offset.y, r.right + offset.x, r.bottom + offset.y};
  }
};

// A view of `picture`, made from the window's area `source`, with its top-left at the source's, in
// a window of `window`'s size: scrolled to the top, the wheel reaching down until the picture's
// bottom meets the window's.
inline View ViewOf(SizeI picture, const RectI& source, SizeI window) {
  View view;
  view.picture = picture;
  view.source = source;
  view.offset = {-source.left, -source.top};
  view.top = -source.top;
  view.bottom = std::max(view.top, picture.height - window.height);
  return view;
}

}  // namespace capture
