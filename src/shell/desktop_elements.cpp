#include "shell/desktop_elements.h"

#include <dwmapi.h>

#include <cstddef>
#include <exception>

namespace capture::win32 {
namespace {

// Controls inside controls inside a window: deep enough for toolbars and panes, and a bound on the
// work for a program with thousands of nested children.
constexpr int kMaxDepth = 4;
constexpr std::size_t kMaxElements = 4096;

struct Listing {
  POINT origin;
  DWORD skipped;
  std::vector<DesktopElement> elements;
  std::exception_ptr failure;  // what the callback could not let through the system's code
};

RectI ToWindow(const RECT& r, POINT origin) {
  return {r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
}

bool Cloaked(HWND window) {
  DWORD cloaked = 0;
  return SUCCEEDED(::DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) &&
         cloaked != 0;
}

bool FullyTransparent(HWND window) {
  if ((::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return false;
  BYTE alpha = 255;
  DWORD flags = 0;
  return ::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) &&
         alpha == 0;
}

// The visible children of `window`, topmost first, each followed by its own; `parent` is the
// window's index in the list.
void AddChildren(Listing& found, HWND window, int parent, int depth) {
  if (depth > kMaxDepth) return;
  const RectI holder = found.elements[static_cast<std::size_t>(parent)].area;
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (found.elements.size() >= kMaxElements) return;
    RECT r{};
    if (!::IsWindowVisible(child) || !::GetWindowRect(child, &r)) continue;
    const RectI area = Intersect(ToWindow(r, found.origin), holder);
    if (area.Empty()) continue;
    found.elements.push_back({area, parent});
    AddChildren(found, child, static_cast<int>(found.elements.size()) - 1, depth + 1);
  }
}

void AddWindow(Listing& found, HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == found.skipped || !::IsWindowVisible(window) || ::IsIconic(window) ||
      Cloaked(window) || FullyTransparent(window) || found.elements.size() >= kMaxElements) {
    return;
  }
  const std::optional<RectI> bounds = VisibleBounds(window);
  if (!bounds || bounds->Empty()) return;
  const RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
  found.elements.push_back({ToWindow(r, found.origin), -1});
  AddChildren(found, window, static_cast<int>(found.elements.size()) - 1, 1);
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM data) {
  auto& found = *reinterpret_cast<Listing*>(data);
  try {
    AddWindow(found, window);
    return TRUE;
  } catch (...) {
    found.failure = std::current_exception();
    return FALSE;
  }
}

}  // namespace

std::optional<RectI> VisibleBounds(HWND window) {
  RECT r{};
  if (FAILED(::DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof(r))) &&
      !::GetWindowRect(window, &r)) {
    return std::nullopt;
  }
  return RectI{r.left, r.top, r.right, r.bottom};
}

std::vector<DesktopElement> DesktopElements(POINT origin, DWORD skipped) {
  Listing found{origin, skipped, {}, nullptr};
  // Top-level windows come topmost first.
  ::EnumWindows(&AddTopLevel, reinterpret_cast<LPARAM>(&found));
  if (found.failure) std::rethrow_exception(found.failure);
  return found.elements;
}

}  // namespace capture::win32
