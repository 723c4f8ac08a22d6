// The preview protocol of a surface, written once for every surface: which layer drawing goes
// to, what Preview, EndPreview and Commit put back or keep, and where a partial redraw may draw.
// A surface that derives from it holds the pixels and says how each layer is put back.
#pragma once

#include "platform/surface.h"

namespace capture {

class LayeredSurface : public Surface {
 public:
  void Preview() final;
  void EndPreview() final;
  void Commit() final;
  void ShowFrozenIn(const RectI& area) final;
  // On: drawing and Pixel() go to the retained image, and the window layer first goes back to the
  // retained image (a preview never outlives the switch). Off: drawing goes to the window layer
  // only.
  void SetPersistent(bool on);
  bool Persistent() const { return persistent_; }
  // Persistent on: retained image and window layer back to the background picture.
  // Persistent off: window layer back to the retained image.
  void Clear();

 protected:
  // The part of `touched` that drawing may change now: on the surface and, after ShowFrozenIn,
  // inside its area.
  RectI Drawable(const RectI& touched) const;
  // Drawing may reach the whole surface again.
  void StopClipping();
  // Whether drawing is kept inside an area, and that area.
  bool Clipping() const { return clipping_; }
  const RectI& ClipArea() const { return clip_; }

  // The window layer back to the retained image: a preview taken back.
  virtual void PreviewTakenBack() = 0;
  // The retained image back to the background picture: drawing not committed taken back.
  virtual void DrawingTakenBack() = 0;
  // The background picture becomes the retained image.
  virtual void RetainedKept() = 0;
  // The retained image (and window layer) inside the area, on the surface, is the frozen picture
  // again, saved so that DrawingTakenBack can put it back. Throws std::bad_alloc, with nothing
  // changed, when a buffer must be made and cannot be.
  virtual void FrozenShownIn(const RectI& area) = 0;
  // Drawing is now kept inside `area` (clipping), or may reach everywhere again.
  virtual void ClipChanged() {}

 private:
  bool persistent_ = false;
  bool clipping_ = false;
  RectI clip_;
};

}  // namespace capture
