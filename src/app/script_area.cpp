#include "app/script_area.h"

#include <algorithm>

namespace capture {
namespace {

RectI Shifted(const RectI& r, const PointI& by) {
  return {r.left - by.x, r.top - by.y, r.right - by.x, r.bottom - by.y};
}

std::u16string Number(int value) {
  std::u16string text;
  for (int v = value; v != 0 || text.empty(); v /= 10) {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + v % 10));
  }
  return text;
}

}  // namespace

AreaToGrab AreaOf(const ScriptRequest& request, const ScreenLayout& screen,
                  const RectI& foreground) {
  const RectI whole{0, 0, screen.size.width, screen.size.height};
  RectI wanted = whole;
  if (request.grab == Grab::Region) {
    wanted = Shifted({request.x, request.y, request.x + request.width, request.y + request.height},
                     screen.origin);
  } else if (request.grab == Grab::Window) {
    wanted = Shifted(foreground, screen.origin);
  } else if (request.monitor > 0) {
    std::vector<Monitor> ordered = screen.monitors;
    if (ordered.size() > 1) {
      std::stable_sort(ordered.begin() + 1, ordered.end(), [](const Monitor& a, const Monitor& b) {
        return a.area.left != b.area.left ? a.area.left < b.area.left : a.area.top < b.area.top;
      });
    }
    if (static_cast<std::size_t>(request.monitor) > ordered.size()) {
      return {{},
              u"没有显示器 " + Number(request.monitor) + u"（共 " +
                  Number(static_cast<int>(ordered.size())) + u" 个）"};
    }
    wanted = ordered[static_cast<std::size_t>(request.monitor) - 1].area;
  }
  const RectI area = Intersect(wanted, whole);
  if (area.Empty()) {
    return {{}, request.grab == Grab::Window ? u"没有可截取的前台窗口" : u"区域不在屏幕上"};
  }
  return {area, {}};
}

}  // namespace capture
