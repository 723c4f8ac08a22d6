// A picture read row by row, wherever its rows are kept: one Picture, or a tall picture's chunks.
// A save or a copy of a tall picture reads it so, and makes no second copy of the whole.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace capture {

class PictureRows {
 public:
  virtual ~PictureRows() = default;
  // The width of every row, in pixels.
  virtual int Width() const = 0;
  // The number of rows.
  virtual int Height() const = 0;
  // Row `y` (0 <= y < Height()), Width() pixels of 0x00RRGGBB; valid while the rows are unchanged.
  virtual const std::uint32_t* Row(int y) const = 0;
  // The rows as one Picture when they are kept so; null when they are not.
  virtual const Picture* Whole() const { return nullptr; }
};

// The rows of one Picture, which must outlive them.
class RowsOfPicture final : public PictureRows {
 public:
  explicit RowsOfPicture(const Picture& picture) : picture_(picture) {}
  int Width() const override { return picture_.width; }
  int Height() const override { return picture_.height; }
  const std::uint32_t* Row(int y) const override { return PixelView::Of(picture_).Row(y); }
  const Picture* Whole() const override { return &picture_; }

 private:
  const Picture& picture_;
};

// The rows gathered into one Picture: a whole copy, for an encoder that needs one.
Picture GatherRows(const PictureRows& rows);

}  // namespace capture
