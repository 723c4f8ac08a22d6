#include "platform/layered_surface.h"

namespace capture {

void LayeredSurface::Preview() {
  StopClipping();
  SetPersistent(false);
  Clear();
}

void LayeredSurface::EndPreview() {
  StopClipping();
  SetPersistent(true);
  Clear();
}

void LayeredSurface::SetPersistent(bool on) {
  if (on && !persistent_) PreviewTakenBack();
  persistent_ = on;
}

void LayeredSurface::Clear() {
  if (persistent_) DrawingTakenBack();
  PreviewTakenBack();
}

void LayeredSurface::Commit() {
  StopClipping();
  RetainedKept();
}

void LayeredSurface::ShowFrozenIn(const RectI& area) {
  StopClipping();
  const SizeI size = Size();
  const RectI inside = Intersect(area, {0, 0, size.width, size.height});
  FrozenShownIn(inside);
  clip_ = inside;
  clipping_ = true;
  ClipChanged();
}

RectI LayeredSurface::Drawable(const RectI& touched) const {
  const SizeI size = Size();
  const RectI area = Intersect(touched, {0, 0, size.width, size.height});
  return clipping_ ? Intersect(area, clip_) : area;
}

void LayeredSurface::StopClipping() {
  if (!clipping_) return;
  clipping_ = false;
  clip_ = {};
  ClipChanged();
}

}  // namespace capture
