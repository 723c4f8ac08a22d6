// Joins the settled frames of a scrolling area into one tall picture: each frame is placed
// against the one before by matching rows, a fixed header and footer appear once, a scroll bar
// inside the area is left out, and a seam that cannot be told for certain ends the join.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "join/frame_rows.h"
#include "join/row_store.h"
#include "platform/picture_rows.h"
#include "platform/types.h"

namespace capture::join {

// Why a join ended before the content did, and where.
struct Refusal {
  enum class Why {
    Nowhere,  // the frame matches the one before at no offset
    Twice,    // it matches at two offsets, or nearly at a second: content that repeats
  };
  Why why = Why::Nowhere;
  int at_row = 0;  // the picture's height when the frame came: its seam would have been there
};

// "无法拼接：…" with the row and the reason, for the panel or stderr.
std::u16string RefusalText(const Refusal& refusal);

enum class Joined {
  Added,    // the frame was placed (new rows, or scrolled back within the picture)
  Unmoved,  // the frame shows what the one before did
  Full,     // the picture reached its greatest height; later frames are not read
  Refused,  // the frame could not be placed; the picture stays as it was (see refusal())
};

// The picture so far is read row by row (PictureRows): a save or a copy of it makes no whole copy.
class FrameJoiner final : public PictureRows {
 public:
  // Starts the picture with the first settled frame; it grows no taller than `max_height`.
  FrameJoiner(PixelView first, Unsteady unsteady, int max_height);

  // Places the next settled frame, of the first frame's size, against the one before it. A frame
  // of another size, or a mask that is not one byte a pixel, is refused. (The first frame's mask
  // of a wrong size is left out.)
  Joined Add(PixelView frame, Unsteady unsteady);

  // The picture so far: a fixed header, the content, a fixed footer; a scroll bar left out.
  int Width() const override { return kept_columns_; }
  int Height() const override;
  // Row `y` of the picture so far, Width() pixels; valid until the next Add.
  const std::uint32_t* Row(int y) const override;
  // The picture so far as one Picture: a whole copy.
  Picture Take() const;
  // Why the join ended early, once a frame was refused.
  const std::optional<Refusal>& refusal() const { return refusal_; }
  // Bytes of the content's chunks: the memory the picture itself costs.
  std::size_t Bytes() const { return content_.Bytes(); }

 private:
  FrameRows Earlier() const {
    return {PixelView::Of(earlier_), earlier_unsteady_, &earlier_facts_};
  }
  Joined Refuse(Refusal::Why why);
  // Whether the overlap at `offset` agrees pixel by pixel on every steady pixel left of the scroll
  // bar; columns at the right that disagree are taken as the scroll bar and left out.
  bool Confirm(const FrameRows& later, int offset, int refilled_from);
  // Makes the mask of the frame just placed at `offset`: its own unsteady pixels and those of the
  // frame before, moved with the content, so that a caret seen blinking once stays left out while
  // it is in view. False when neither frame had any.
  bool CarryUnsteady(Unsteady own, int offset);
  // Takes the first frame's bands as header and footer and its content as the picture's first rows.
  void StartContent(int top, int end);
  // Adds the rows `later` shows beyond the picture, taking late-filled rows from it; false when
  // the picture reached its greatest height.
  bool Place(PixelView later, int offset, int refilled_from);

  Picture earlier_;                             // the frame placed last
  std::vector<std::uint8_t> earlier_unsteady_;  // its own and those carried from frames before
  RowFacts earlier_facts_;
  Picture header_;
  bool bands_known_ = false;  // set by the first frame that moved
  int top_ = 0;               // the content between the header and the footer: rows [top_, end_)
  int end_ = 0;
  int columns_ = 0;               // columns the hashes read: none of a scroll bar's
  int kept_columns_ = 0;          // columns the picture keeps: left of the scroll bar
  int view_ = 0;                  // content row shown at the earlier frame's row top_
  int fresh_ = 0;                 // earlier-frame rows from here to end_ may still fill in late
  std::array<int, 4> brought_{};  // rows each of the last four frames added below the picture
  int max_height_;
  bool full_ = false;
  RowStore content_;
  std::optional<Refusal> refusal_;
};

}  // namespace capture::join
