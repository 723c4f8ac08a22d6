#include "shell/win32_screen.h"

#include <shellscalingapi.h>
#include <windows.h>

#include <cstring>
#include <exception>
#include <new>

#include "shell/desktop_elements.h"
#include "shell/dib.h"
#include "shell/handles.h"

namespace capture::win32 {
namespace {

// Copies the area of the screen's device context into the DIB (of the area's size); false when
// the copy failed, which would leave the buffer black: that must never pass for the screen.
bool CopyScreen(HDC display, const RectI& area, const Dib& to) {
  if (!::BitBlt(to.dc(), 0, 0, area.right - area.left, area.bottom - area.top, display, area.left,
                area.top, SRCCOPY)) {
    return false;
  }
  ::GdiFlush();
  return true;
}

// The monitor's effective DPI, or the system's when the monitor cannot say.
int DpiOf(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (SUCCEEDED(::GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && x > 0) {
    return static_cast<int>(x);
  }
  return static_cast<int>(::GetDpiForSystem());
}

struct Enumeration {
  POINT origin;  // the virtual screen's top-left, in the system's coordinates
  std::vector<Monitor> monitors;
  std::exception_ptr failure;  // what the callback could not let through the system's code
};

void AddMonitorTo(Enumeration& found, HMONITOR handle) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(handle, &info)) return;
  const RECT& r = info.rcMonitor;
  const Monitor monitor{{r.left - found.origin.x, r.top - found.origin.y, r.right - found.origin.x,
                         r.bottom - found.origin.y},
                        DpiOf(handle)};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    found.monitors.insert(found.monitors.begin(), monitor);
  } else {
    found.monitors.push_back(monitor);
  }
}

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
  auto& found = *reinterpret_cast<Enumeration*>(data);
  try {
    AddMonitorTo(found, handle);
    return TRUE;
  } catch (...) {
    found.failure = std::current_exception();
    return FALSE;
  }
}

}  // namespace

RectI Win32Screen::Area() {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::vector<Monitor> Win32Screen::Monitors() const {
  const RectI area = Area();
  Enumeration found{{area.left, area.top}, {}, nullptr};
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&found));
  if (found.failure) std::rethrow_exception(found.failure);
  if (found.monitors.empty()) {
    const SizeI size = Size();
    found.monitors.push_back(
        {{0, 0, size.width, size.height}, static_cast<int>(::GetDpiForSystem())});
  }
  return found.monitors;
}

std::vector<DesktopElement> Win32Screen::Elements() const {
  const RectI area = Area();
  return DesktopElements({area.left, area.top}, ::GetCurrentProcessId());
}

SizeI Win32Screen::Size() const {
  const RectI area = Area();
  return {area.right - area.left, area.bottom - area.top};
}

Dib Win32Screen::GrabDib() const {
  // The screen's own device context: its coordinates are the system's, so the virtual screen's
  // top-left is at (area.left, area.top). (Wine's CreateDCW(L"DISPLAY") puts its (0,0) at that
  // corner instead, and would miss the monitors left of the primary.)
  const WindowDc display(nullptr);
  if (!display) return {};
  const RectI area = Area();
  if (area.Empty()) return {};
  Dib grabbed(area.right - area.left, area.bottom - area.top);
  if (!grabbed.valid()) throw std::bad_alloc();
  if (!CopyScreen(display.get(), area, grabbed)) return {};
  return grabbed;
}

Picture Win32Screen::Grab() {
  const Dib copy = GrabDib();
  if (!copy.valid()) return {};
  Picture picture(copy.width(), copy.height());
  const std::uint32_t* from = copy.pixels();
  for (std::uint32_t& pixel : picture.pixels) pixel = *from++ & 0x00FFFFFFu;
  return picture;
}

Monitor Win32Screen::MonitorAt(PointI point) {
  const HMONITOR handle = ::MonitorFromPoint({point.x, point.y}, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!handle || !::GetMonitorInfoW(handle, &info)) {
    return {Area(), static_cast<int>(::GetDpiForSystem())};
  }
  const RECT& r = info.rcMonitor;
  return {{r.left, r.top, r.right, r.bottom}, DpiOf(handle)};
}

}  // namespace capture::win32
