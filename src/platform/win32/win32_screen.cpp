#include "platform/win32/win32_screen.h"

#include <windows.h>

#include <cstring>

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

}  // namespace

SizeI Win32Screen::Size() const {
  const CreatedDc display = DisplayDc();
  return display ? SizeOf(display.get()) : SizeI{};
}

Picture Win32Screen::Grab() {
  const CreatedDc display = DisplayDc();
  if (!display) return {};
  const SizeI size = SizeOf(display.get());
  Dib copy(size.width, size.height);
  if (!copy.valid()) return {};
  // A failed copy would leave the buffer black, which must never pass for the screen.
  if (!::BitBlt(copy.dc(), 0, 0, size.width, size.height, display.get(), 0, 0, SRCCOPY)) return {};
  ::GdiFlush();
  Picture picture(size.width, size.height);
  const std::uint32_t* from = copy.pixels();
  for (std::uint32_t& pixel : picture.pixels) pixel = *from++ & 0x00FFFFFFu;
  return picture;
}

}  // namespace capture::win32
