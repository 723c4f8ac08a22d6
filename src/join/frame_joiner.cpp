#include "join/frame_joiner.h"

#include <algorithm>
#include <utility>

#include "join/seam.h"
#include "platform/pixels.h"

namespace capture::join {

namespace {

std::size_t ToSize(int n) {
  return static_cast<std::size_t>(n);
}

// Columns at the right where a scroll bar may stand: left out of the hashes, and left out of the
// picture where they move unlike the content.
int HashedColumns(int width) {
  return width - std::min(48, width / 4);
}

// Copies the first `rows` rows of `view` into `copy`, reusing its room.
void CopyInto(PixelView view, int rows, Picture& copy) {
  copy.Resize(view.width, rows);
  CopyPixels(view, {0, 0, view.width, rows}, PixelTarget::Of(copy), {0, 0});
}

std::u16string Number(int n) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
    n /= 10;
  } while (n > 0);
  return digits;
}

// Whether a mask has one byte for each pixel of the frame, or none.
bool FitsFrame(Unsteady unsteady, PixelView frame) {
  return unsteady.empty() || unsteady.size() == ToSize(frame.width) * ToSize(frame.height);
}

}  // namespace

std::u16string RefusalText(const Refusal& refusal) {
  const std::u16string where = u"无法拼接：第 " + Number(refusal.at_row) + u" 行以下";
  return where +
         (refusal.why == Refusal::Why::Nowhere ? u"与上一屏对不上" : u"内容重复，位置不唯一");
}

FrameJoiner::FrameJoiner(PixelView first, Unsteady unsteady, int max_height)
    : earlier_unsteady_(FitsFrame(unsteady, first) ? unsteady.begin() : unsteady.end(),
                        unsteady.end()),
      end_(first.height),
      columns_(HashedColumns(first.width)),
      kept_columns_(first.width),
      max_height_(max_height),
      content_(first.width) {
  CopyInto(first, first.height, earlier_);
  earlier_facts_ = ReadRows(first, earlier_unsteady_, columns_);
}

int FrameJoiner::Height() const {
  if (!bands_known_) return std::min(earlier_.height, max_height_);
  return top_ + (content_.end() - content_.first()) + (earlier_.height - end_);
}

const std::uint32_t* FrameJoiner::Row(int y) const {
  if (!bands_known_) return PixelView::Of(earlier_).Row(y);
  if (y < top_) return PixelView::Of(header_).Row(y);
  const int content_row = y - top_;
  const int rows = content_.end() - content_.first();
  if (content_row < rows) return content_.Row(content_.first() + content_row);
  return PixelView::Of(earlier_).Row(end_ + content_row - rows);
}

Picture FrameJoiner::Take() const {
  Picture picture(Width(), Height());
  for (int y = 0; y < picture.height; ++y) {
    std::copy_n(Row(y), picture.width, picture.pixels.data() + ToSize(y) * ToSize(picture.width));
  }
  return picture;
}

Joined FrameJoiner::Refuse(Refusal::Why why) {
  refusal_ = Refusal{why, Height()};
  return Joined::Refused;
}

Joined FrameJoiner::Add(PixelView frame, Unsteady unsteady) {
  if (refusal_) return Joined::Refused;
  if (full_) return Joined::Full;
  if (frame.width != earlier_.width || frame.height != earlier_.height ||
      !FitsFrame(unsteady, frame)) {
    return Refuse(Refusal::Why::Nowhere);
  }
  RowFacts facts = ReadRows(frame, unsteady, columns_);
  const FrameRows earlier = Earlier(), later{frame, unsteady, &facts};
  const int rows = frame.height;
  int top = 0, end = rows;
  while (top < rows && SameRow(earlier, top, later, top, columns_)) ++top;
  if (top == rows) return Joined::Unmoved;
  while (SameRow(earlier, end - 1, later, end - 1, columns_)) --end;
  if (bands_known_) {
    top = top_;
    end = end_;
  }
  const Seam seam = FindSeam(earlier, later, {top, end, columns_, bands_known_ ? fresh_ : top});
  if (seam.kind == Seam::Kind::Twice) return Refuse(Refusal::Why::Twice);
  if (seam.kind == Seam::Kind::Nowhere) return Refuse(Refusal::Why::Nowhere);
  if (!bands_known_) {
    top_ = top;
    end_ = end;
  }
  if (!Confirm(later, seam.offset, seam.refilled_from)) return Refuse(Refusal::Why::Nowhere);
  if (!bands_known_) StartContent(top, end);
  const bool room = Place(frame, seam.offset, seam.refilled_from);
  CopyInto(frame, rows, earlier_);
  if (CarryUnsteady(unsteady, seam.offset)) {
    earlier_facts_ = ReadRows(PixelView::Of(earlier_), earlier_unsteady_, columns_);
  } else {
    earlier_facts_ = std::move(facts);
  }
  if (!room) {
    full_ = true;
    return Joined::Full;
  }
  return Joined::Added;
}

bool FrameJoiner::CarryUnsteady(Unsteady own, int offset) {
  if (earlier_unsteady_.empty()) {
    earlier_unsteady_.assign(own.begin(), own.end());
    return false;
  }
  const auto width = ToSize(earlier_.width);
  std::vector<std::uint8_t> carried(own.begin(), own.end());
  carried.resize(earlier_unsteady_.size(), 0);
  for (int y = 0; y < earlier_.height; ++y) {
    // Content rows move with the content; the bands stay where they are.
    const bool content = y >= top_ && y < end_;
    const int from = content ? y + offset : y;
    if (content && (from < top_ || from >= end_)) continue;
    const std::uint8_t* in = earlier_unsteady_.data() + ToSize(from) * width;
    std::uint8_t* out = carried.data() + ToSize(y) * width;
    for (std::size_t x = 0; x < width; ++x) out[x] = static_cast<std::uint8_t>(out[x] | in[x]);
  }
  earlier_unsteady_ = std::move(carried);
  return true;
}

bool FrameJoiner::Confirm(const FrameRows& later, int offset, int refilled_from) {
  const FrameRows earlier = Earlier();
  const int first = std::max(top_, top_ - offset);
  const int last = std::min(end_, refilled_from - offset);
  int scroll_bar = kept_columns_;
  for (int y = first; y < last; ++y) {
    const std::uint32_t* a = earlier.pixels.Row(y + offset);
    const std::uint32_t* b = later.pixels.Row(y);
    if (std::equal(a, a + later.pixels.width, b)) continue;
    for (int x = 0; x < later.pixels.width; ++x) {
      if (a[x] == b[x] || earlier.Shaky(x, y + offset) || later.Shaky(x, y)) continue;
      if (x < columns_) return false;
      scroll_bar = std::min(scroll_bar, x);
      break;
    }
  }
  kept_columns_ = scroll_bar;
  return true;
}

void FrameJoiner::StartContent(int top, int end) {
  CopyInto(PixelView::Of(earlier_), top, header_);
  content_.Restart(0);
  for (int y = top; y < end; ++y)
    content_.AddBelow(earlier_.pixels.data() + ToSize(y) * ToSize(earlier_.width));
  view_ = 0;
  fresh_ = top;
  brought_ = {end - top, 0, 0, 0};
  bands_known_ = true;
}

bool FrameJoiner::Place(PixelView later, int offset, int refilled_from) {
  const int view = view_ + offset;
  for (int e = refilled_from; e < end_; ++e) {
    std::copy_n(later.Row(e - offset), later.width, content_.Row(view_ + e - top_));
  }
  const int most_rows = max_height_ - top_ - (later.height - end_);
  const int old_end = content_.end();
  bool room = true;
  for (int r = old_end; r < view + (end_ - top_); ++r) {
    if (content_.end() - content_.first() >= most_rows) {
      room = false;
      break;
    }
    content_.AddBelow(later.Row(top_ + r - view));
  }
  for (int r = content_.first() - 1; r >= view && room; --r) {
    if (content_.end() - content_.first() >= most_rows)
      room = false;
    else
      content_.AddAbove(later.Row(top_ + r - view));
  }
  // Rows the last four frames brought may still fill in: a list that draws rows some 300 ms after
  // they scroll in does so within four notches.
  std::rotate(brought_.rbegin(), brought_.rbegin() + 1, brought_.rend());
  brought_[0] = content_.end() - old_end;
  int recent = 0;
  for (const int rows : brought_) recent += rows;
  fresh_ = std::max(top_, end_ - recent);
  view_ = view;
  return room;
}

}  // namespace capture::join
