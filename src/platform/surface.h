// The capture window's drawing surface: a background picture, a retained image and what the window
// shows beneath its child controls (the window layer).
#pragma once

#include <span>
#include <string_view>

#include "platform/types.h"

namespace capture {

class Screen;  // platform/platform.h

class Surface {
 public:
  virtual ~Surface() = default;

  // Size of the pictures in pixels (the screen's size once the screen has been pasted).
  virtual SizeI Size() const = 0;

  // Makes the surface the screen as it is now, read straight into the surface's own picture: every
  // layer is that picture and the surface takes its size. Only on an empty surface. False, with the
  // surface left as it was, when the screen could not be read (or the surface was not empty);
  // throws std::bad_alloc when the picture cannot be made.
  virtual bool Freeze(Screen& screen) = 0;
  // Makes the picture the frozen one in place of whatever the surface held (长截图's joined
  // picture): every layer is it and the surface takes its size; everything drawn is gone. Throws
  // std::bad_alloc, with the surface left as it was, when the picture cannot be made.
  virtual void FreezePicture(const Picture& picture) = 0;
  // The picture Freeze (or FreezePicture) read; empty before. Never changed afterwards and valid
  // for the surface's life. Not owned.
  virtual PixelView Frozen() const = 0;
  // Makes every layer the frozen picture again, as right after Freeze: every drawing since is
  // gone. With `drawing_follows` a working buffer the surface holds is kept for that drawing
  // (holding the frozen picture again), else it is let go until a drawing needs one. Used by undo
  // and redo, which draw the marks again on it.
  virtual void ShowFrozen(bool drawing_follows) = 0;
  // Makes the retained image the frozen picture again inside the area (cut to the surface), and
  // keeps drawing (and Paste) inside that area until the next ShowFrozenIn, Commit or EndPreview:
  // a partial redraw restores an area and draws again only what lies in it. Throws
  // std::bad_alloc, with nothing changed, when a buffer must be made and cannot be.
  virtual void ShowFrozenIn(const RectI& area) = 0;
  // Makes every layer the given picture (and the surface its size): background, retained image and
  // window layer.
  virtual void SetPicture(const Picture& picture) = 0;
  // The background picture, valid until the next call that changes the surface. Not owned.
  virtual PixelView Background() const = 0;
  // A copy of a rectangle of the retained image; pixels outside the surface are black.
  virtual Picture Copy(const RectI& rect) const = 0;
  // Copies a picture into the retained image (or the window layer while a preview is drawn) with
  // its top-left at (x, y); pixels outside the surface are dropped. The surface first takes the
  // picture's size when it has none yet.
  virtual void Paste(const Picture& picture, int x, int y) = 0;

  // Drawing a shape is a preview and then a commit, said in these two calls:
  // Starts a preview, or replaces the one shown: the window layer goes back to the retained image,
  // and drawing (and Pixel) goes to the window layer only until EndPreview.
  virtual void Preview() = 0;
  // Takes any preview back, and any drawing since the last Commit with it: retained image and
  // window layer are the background picture again, and drawing (and Pixel) goes to the retained
  // image, which the next Commit makes the picture. A surface draws previews until it is first
  // called.
  virtual void EndPreview() = 0;

  // Makes the background picture a copy of the retained image.
  virtual void Commit() = 0;
  // A rectangle holding every change of the background picture since the last call (the whole
  // picture after SetPicture, Paste into an empty surface or a first call); empty when nothing
  // changed. Lets a snapshot skip what cannot have changed.
  virtual RectI TakeBackgroundChanges() = 0;
  // The rectangle that TakeBackgroundChanges would return now, left in place.
  virtual RectI BackgroundChanges() const = 0;

  // The drawing calls below may throw std::bad_alloc when the surface must first make a
  // buffer to draw on; nothing is drawn then.

  // A solid one-pixel line in the colour, both end points included.
  virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
  // A one-pixel rectangle outline with both corners included; the inside is left as it was.
  virtual void Box(float x1, float y1, float x2, float y2, Colour colour) = 0;
  // A one-pixel ellipse outline inscribed in left, top, right, bottom as GDI's Ellipse takes them
  // (not sorted); the inside is left as it was.
  virtual void Ellipse(int left, int top, int right, int bottom, Colour colour) = 0;
  // Paints every pixel of the spans in the colour; spans may overlap. Spans outside the surface
  // are left out.
  virtual void FillSpans(std::span<const Span> spans, Colour colour) = 0;
  // Multiplies every pixel of the spans by the tint (MultiplyPixel). Spans must not overlap, so
  // that each pixel is tinted once. Spans outside the surface are left out.
  virtual void MultiplySpans(std::span<const Span> spans, Colour tint) = 0;
  // Sets the size of the font that Text() and TextWidth() use: points at the given DPI (96 makes
  // a point 4/3 pixels).
  virtual void SetFontSize(float points, int dpi) = 0;
  // Draws the glyphs only (transparent background) with the text's top-left at (x, y).
  virtual void Text(int x, int y, std::u16string_view text, Colour colour) = 0;
  // Draws the glyphs only, in the current font, with the middle of the text's width at x and the
  // middle of its digits' height (from the baseline to their top) at y.
  virtual void TextCentredOn(float x, float y, std::u16string_view text, Colour colour) = 0;
  // The width in pixels that the text takes in the current font.
  virtual float TextWidth(std::u16string_view text) const = 0;
  // The colour at a pixel of the retained image (persistent on) or of the window layer (off);
  // -1 (all bits set) outside the surface.
  virtual Colour Pixel(int x, int y) const = 0;
  // Copy() into `to`, which takes the rectangle's size and keeps its room: a copy made on every
  // pointer move allocates nothing once warmed up.
  virtual void CopyInto(const RectI& rect, Picture& to) const = 0;
};

}  // namespace capture
