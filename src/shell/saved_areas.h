// Pixels of a layer kept from under each drawing, so that one buffer can stand for two layers: the
// buffer holds the newer one, and the older one is the buffer with these areas put back. Drawings
// are small, so this costs what they cover where a second layer would cost a whole screen.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"
#include "shell/dib.h"

namespace capture::win32 {

class SavedAreas {
 public:
  // Keeps the pixels of `area` as `from` has them now (call GdiFlush first). Areas may overlap:
  // they are put back newest first, so the oldest pixels win. Throws std::bad_alloc, keeping what
  // it kept before.
  void Keep(const Dib& from, const RectI& area);
  // Writes every kept area back into `to` and forgets them.
  void PutBack(Dib& to);
  // Writes the kept pixels that lie inside `rect` into a picture of rect's size whose top-left is
  // rect's top-left.
  void PutBack(Picture& to, const RectI& rect) const;
  // The kept pixel at (x, y), or nullptr when no kept area holds it.
  const std::uint32_t* Find(int x, int y) const;
  void Forget();
  bool empty() const { return areas_.empty(); }

 private:
  struct Area {
    RectI rect;
    std::size_t first;  // in pixels_: the rect's rows, contiguous
  };
  const std::uint32_t* At(const Area& area, int x, int y) const;
  PixelView View(const Area& area) const;

  std::vector<Area> areas_;            // oldest first
  std::vector<std::uint32_t> pixels_;  // keeps its capacity: a preview redrawn per pointer move
                                       // allocates nothing once warmed up
};

}  // namespace capture::win32
