// The capture window's drawing surface on DIB sections: the background picture, the retained
// image and the window layer (what the window shows beneath its child controls). Drawing is GDI's
// own; pixels are read from memory. Every change is recorded by area, so clearing a preview,
// committing and repainting cost what was drawn, not the whole screen.
#pragma once

#include <windows.h>

#include "platform/surface.h"
#include "platform/win32/dib.h"
#include "platform/win32/dirty_rects.h"
#include "platform/win32/handles.h"

namespace capture::win32 {

class Win32Surface : public Surface {
 public:
  SizeI Size() const override { return {background_.width(), background_.height()}; }
  void SetPicture(const Picture& picture) override;
  void Paste(const Picture& picture, int x, int y) override;
  PixelView Background() const override;
  Picture Copy(const RectI& rect) const override;
  void SetPersistent(bool on) override { persistent_ = on; }
  bool Persistent() const override { return persistent_; }
  void Commit() override;
  RectI TakeBackgroundChanges() override;
  RectI BackgroundChanges() const override { return background_changes_; }
  void Clear() override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void Ellipse(int left, int top, int right, int bottom, Colour colour) override;
  void SetFontSize(float points, int dpi) override;
  void Text(int x, int y, std::u16string_view text, Colour colour) override;
  float TextWidth(std::u16string_view text) const override;
  Colour Pixel(int x, int y) const override;

  // The window layer's device context, for painting; null while the surface has no size.
  HDC WindowLayerDc() const { return window_.dc(); }
  // The areas of the window layer changed since the last call: what the window must repaint.
  DirtyRects TakeScreenChanges();

 private:
  // Makes the three buffers; throws std::bad_alloc, leaving the surface empty, when one cannot
  // be made.
  void Resize(int width, int height);
  // Runs a GDI drawing on the retained image and the window layer (persistent drawing) or on the
  // window layer alone, and records the area it may touch.
  template <typename Draw>
  void Drawn(const RectI& touched, Draw&& draw);
  void LineInt(int x1, int y1, int x2, int y2, Colour colour);
  // The font of Text() and TextWidth(); not owned by the caller.
  HFONT CurrentFont() const;

  Dib background_, retained_, window_;
  bool persistent_ = false;
  mutable Font font_;  // made on first use
  float font_points_ = 9;
  int font_dpi_ = USER_DEFAULT_SCREEN_DPI;
  RectI background_changes_;     // where the background changed since it was last asked
  DirtyRects retained_changes_;  // where the retained image may differ from the background
  DirtyRects window_changes_;    // where the window layer may differ from the retained image
  DirtyRects screen_changes_;    // where the screen may differ from the window layer
};

}  // namespace capture::win32
