// The selections of the resident program's last finished captures (those that ended in a copy or a
// save), which `,` and `.` bring back in the next one. Held in memory as plain rectangles in the
// system's screen coordinates, so that a settings file can store and load them.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/types.h"

namespace capture {

class RecentSelections {
 public:
  static constexpr std::size_t kKept = 20;

  // Oldest first, at most kKept.
  const std::vector<RectI>& Items() const { return items_; }
  // Keeps a finished capture's selection; the oldest goes once there are more than kKept. An empty
  // rectangle is no selection and is not kept.
  void Add(const RectI& selection);
  // Replaces them all (from a settings file), keeping the newest kKept that are not empty.
  void Restore(const std::vector<RectI>& items);

 private:
  std::vector<RectI> items_;
};

}  // namespace capture
