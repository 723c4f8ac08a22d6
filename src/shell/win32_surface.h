// The capture window's drawing surface on DIB sections. The frozen screen is one DIB section that
// never changes: until something is drawn it is every layer, the window shows it and snapshot 1
// refers to it. The first drawing makes one working DIB section that holds the window layer; the
// retained image and the background picture are that buffer with the areas under a few drawings put
// back (SavedAreas), since they differ from it only where a drawing is still a preview or not yet
// committed. Drawing is GDI's own; pixels are read from memory. Every change is recorded by area,
// so clearing a preview, committing and repainting cost what was drawn, not the whole screen.
#pragma once

#include <windows.h>

#include "platform/layered_surface.h"
#include "shell/dib.h"
#include "shell/dirty_rects.h"
#include "shell/handles.h"
#include "shell/saved_areas.h"

namespace capture::win32 {

class Win32Screen;

class Win32Surface : public LayeredSurface {
 public:
  // `screen`, when given, is the display this surface freezes: Freeze reads it straight into the
  // frozen DIB section. Any other screen is read as a picture and copied in.
  explicit Win32Surface(const Win32Screen* screen = nullptr) : screen_(screen) {}

  SizeI Size() const override { return {Shown().width(), Shown().height()}; }
  bool Freeze(Screen& screen) override;
  void FreezePicture(const Picture& picture) override;
  PixelView Frozen() const override { return frozen_.View(); }
  void ShowFrozen(bool drawing_follows) override;
  void SetPicture(const Picture& picture) override;
  void Paste(const Picture& picture, int x, int y) override;
  PixelView Background() const override;
  Picture Copy(const RectI& rect) const override;
  RectI TakeBackgroundChanges() override;
  RectI BackgroundChanges() const override { return background_changes_; }
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void Ellipse(int left, int top, int right, int bottom, Colour colour) override;
  void FillSpans(std::span<const Span> spans, Colour colour) override;
  void MultiplySpans(std::span<const Span> spans, Colour tint) override;
  void SetFontSize(float points, int dpi) override;
  void Text(int x, int y, std::u16string_view text, Colour colour) override;
  void TextCentredOn(float x, float y, std::u16string_view text, Colour colour) override;
  float TextWidth(std::u16string_view text) const override;
  Colour Pixel(int x, int y) const override;
  void CopyInto(const RectI& rect, Picture& to) const override;

  // The window layer's device context, for painting; null while the surface has no size.
  HDC WindowLayerDc() const { return Shown().dc(); }
  // The areas of the window layer changed since the last call: what the window must repaint.
  DirtyRects TakeScreenChanges();
  // Full-screen buffers held now: the frozen screen, the working layer, a background copy.
  int FullBuffers() const;

 protected:
  void PreviewTakenBack() override;
  void DrawingTakenBack() override;
  void RetainedKept() override;
  void FrozenShownIn(const RectI& area) override;
  void ClipChanged() override;

 private:
  // The buffer the window layer is in: the working layer once made, else the frozen screen.
  const Dib& Shown() const { return layer_.valid() ? layer_ : frozen_; }
  // Makes the working layer a copy of the frozen screen unless it is made already; throws
  // std::bad_alloc when it cannot be made.
  void MakeLayer();
  // Every layer is now what the buffer shows: nothing saved, every area recorded as changed.
  void Reset();
  // Before a drawing that may touch `area`: makes the working layer, saves what the drawing will
  // cover (the background under persistent drawing, the retained image under a preview) and
  // records the area. False when the area is outside the surface.
  bool BeforeDrawing(const RectI& area);
  void LineInt(int x1, int y1, int x2, int y2, Colour colour);
  // Readies the areas the spans cover for drawing (BeforeDrawing) and calls `paint` with each
  // span cut to the surface, as a row of the working layer and its first and last pixel.
  template <class Paint>
  void PaintSpans(std::span<const Span> spans, Paint paint);
  // The font of Text() and TextWidth(); not owned by the caller.
  HFONT CurrentFont() const;

  const Win32Screen* screen_;  // the display read without a copy; not owned
  Dib frozen_;  // the screen as Freeze read it; never changed, snapshot 1 refers to its pixels
  Dib layer_;   // the window layer, made on the first drawing
  SavedAreas under_preview_;         // the retained image where the window layer holds a preview
  SavedAreas under_drawing_;         // the background where the retained image is not yet committed
  mutable Picture background_copy_;  // made only when the background is asked for mid-drawing
  mutable Font font_;                // made on first use
  float font_points_ = 9;
  int font_dpi_ = USER_DEFAULT_SCREEN_DPI;
  RectI background_changes_;     // where the background changed since it was last asked
  DirtyRects retained_changes_;  // where the retained image may differ from the background
  DirtyRects window_changes_;    // where the window layer may differ from the retained image
  DirtyRects screen_changes_;    // where the screen may differ from the window layer
};

}  // namespace capture::win32
