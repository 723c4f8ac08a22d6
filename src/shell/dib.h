// A 32-bit top-down DIB section selected into its own memory device context: GDI draws on it and
// the program reads and writes its pixels in memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/types.h"
#include "shell/handles.h"

namespace capture::win32 {

class Dib {
 public:
  Dib() = default;
  // A black picture of the size; an empty one (valid() false) when the system refuses it.
  Dib(int width, int height);
  Dib(Dib&& other) noexcept;
  Dib& operator=(Dib&& other) noexcept;
  ~Dib();

  bool valid() const { return pixels_ != nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The memory device context holding the picture. Not owned by the caller.
  HDC dc() const { return dc_.get(); }
  // Pixels as 0x00RRGGBB (the top byte may hold what GDI left there). Call GdiFlush() before
  // reading after GDI drawing.
  std::uint32_t* pixels() const { return pixels_; }
  std::uint32_t* Row(int y) const { return pixels_ + static_cast<std::ptrdiff_t>(y) * width_; }
  PixelView View() const { return {pixels_, width_, height_, width_}; }
  PixelTarget Target() const { return {pixels_, width_, height_, width_}; }
  RectI Area() const { return {0, 0, width_, height_}; }

 private:
  CreatedDc dc_;
  Bitmap bitmap_;
  std::unique_ptr<SelectedObject> selected_;  // the bitmap in dc_, deselected before it is deleted
  std::uint32_t* pixels_ = nullptr;           // owned by bitmap_
  int width_ = 0;
  int height_ = 0;
};

// Copies a rectangle between two pictures of the same size, in memory (rect clipped to both).
void CopyArea(const Dib& from, Dib& to, const RectI& rect);
// Copies a picture (or part of one) into a Dib with its top-left at (x, y); clipped.
void PastePixels(PixelView from, Dib& to, int x, int y);

}  // namespace capture::win32
