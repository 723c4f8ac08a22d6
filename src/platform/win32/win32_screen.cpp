#include "platform/win32/win32_screen.h"

#include <shellscalingapi.h>
#include <windows.h>

#include <cstring>
#include <new>

#include "platform/win32/dib.h"
#include "platform/win32/handles.h"

namespace capture::win32 {
namespace {

CreatedDc DisplayDc() {
  return CreatedDc(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
}

// DESKTOPHORZRES/VERTRES are the physical size whatever the process's DPI awareness.
SizeI SizeOf(HDC display) {
  return {::GetDeviceCaps(display, DESKTOPHORZRES), ::GetDeviceCaps(display, DESKTOPVERTRES)};
}

// What a grab reads: the top-left in the display's coordinates, and the size.
struct GrabArea {
  POINT origin;
  SizeI size;
};

GrabArea AreaOf(HDC display) {
  return {{0, 0}, SizeOf(display)};
}

// Copies the area of the display into the DIB (of the area's size); false when the copy failed,
// which would leave the buffer black: that must never pass for the screen.
bool CopyScreen(HDC display, const GrabArea& area, const Dib& to) {
  if (!::BitBlt(to.dc(), 0, 0, area.size.width, area.size.height, display, area.origin.x,
                area.origin.y, SRCCOPY)) {
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
};

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
  auto& found = *reinterpret_cast<Enumeration*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(handle, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  const Monitor monitor{{r.left - found.origin.x, r.top - found.origin.y, r.right - found.origin.x,
                         r.bottom - found.origin.y},
                        DpiOf(handle)};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    found.monitors.insert(found.monitors.begin(), monitor);
  } else {
    found.monitors.push_back(monitor);
  }
  return TRUE;
}

}  // namespace

std::vector<Monitor> Win32Screen::Monitors() const {
  Enumeration found{{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)},
                    {}};
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&found));
  if (found.monitors.empty()) {
    const SizeI size = Size();
    found.monitors.push_back(
        {{0, 0, size.width, size.height}, static_cast<int>(::GetDpiForSystem())});
  }
  return found.monitors;
}

SizeI Win32Screen::Size() const {
  const CreatedDc display = DisplayDc();
  return display ? SizeOf(display.get()) : SizeI{};
}

Dib Win32Screen::GrabDib() const {
  const CreatedDc display = DisplayDc();
  if (!display) return {};
  const GrabArea area = AreaOf(display.get());
  if (area.size.width <= 0 || area.size.height <= 0) return {};
  Dib grabbed(area.size.width, area.size.height);
  if (!grabbed.valid()) throw std::bad_alloc();
  if (!CopyScreen(display.get(), area, grabbed)) return {};
  return grabbed;
}

Picture Win32Screen::Grab() {
  const CreatedDc display = DisplayDc();
  if (!display) return {};
  const GrabArea area = AreaOf(display.get());
  Dib copy(area.size.width, area.size.height);
  if (!copy.valid() || !CopyScreen(display.get(), area, copy)) return {};
  Picture picture(area.size.width, area.size.height);
  const std::uint32_t* from = copy.pixels();
  for (std::uint32_t& pixel : picture.pixels) pixel = *from++ & 0x00FFFFFFu;
  return picture;
}

}  // namespace capture::win32
