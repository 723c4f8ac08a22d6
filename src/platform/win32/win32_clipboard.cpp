#include "platform/win32/win32_clipboard.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace capture::win32 {
namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

bool Win32Clipboard::PutBitmap(const Picture& picture) {
  OpenedClipboard clipboard(::GetDesktopWindow());
  if (!clipboard.is_open()) return false;
  ::EmptyClipboard();
  // A bitmap of no area cannot be made (the system would hand back a 1 x 1 monochrome one), so an
  // empty selection leaves the clipboard empty.
  if (picture.width <= 0 || picture.height <= 0) return false;

  WindowDc screen(nullptr);
  Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), picture.width, picture.height));
  if (!bitmap) return false;
  const BITMAPINFO info = TopDown32(picture.width, picture.height);
  if (::SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(picture.height),
                  picture.pixels.data(), &info, DIB_RGB_COLORS) != picture.height) {
    return false;
  }
  if (!::SetClipboardData(CF_BITMAP, bitmap.get())) return false;
  bitmap.release();  // the clipboard owns it now
  return true;
}

std::optional<Picture> Win32Clipboard::GetBitmap() {
  OpenedClipboard clipboard(::GetDesktopWindow());
  if (!clipboard.is_open()) return std::nullopt;
  // Not owned: the clipboard keeps its bitmap.
  const auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  if (!bitmap) return std::nullopt;
  BITMAP header{};
  if (!::GetObjectW(bitmap, sizeof(header), &header) || header.bmWidth <= 0 ||
      header.bmHeight <= 0) {
    return std::nullopt;
  }
  Picture picture(header.bmWidth, header.bmHeight);
  BITMAPINFO info = TopDown32(picture.width, picture.height);
  WindowDc screen(nullptr);
  if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(),
                  &info, DIB_RGB_COLORS) != picture.height) {
    return std::nullopt;
  }
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFFu;
  return picture;
}

bool Win32Clipboard::Empty() {
  OpenedClipboard clipboard(::GetDesktopWindow());
  return clipboard.is_open() && ::EmptyClipboard() != FALSE;
}

}  // namespace capture::win32
