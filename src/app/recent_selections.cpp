#include "app/recent_selections.h"

namespace capture {

void RecentSelections::Add(const RectI& selection) {
  if (selection.Empty()) return;
  items_.push_back(selection);
  if (items_.size() > kKept) items_.erase(items_.begin());
}

void RecentSelections::Restore(const std::vector<RectI>& items) {
  items_.clear();
  for (const RectI& item : items) Add(item);
}

}  // namespace capture
