#include "test_support.h"

#include <cstring>

#include "shell/handles.h"

namespace capture::win32::test {

std::wstring WindowsPath(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  if (wide.empty() || wide[0] != L'/') return wide;
  for (wchar_t& c : wide) c = c == L'/' ? L'\\' : c;
  return L"Z:" + wide;
}

std::optional<Picture> LoadBmp(const std::wstring& path) {
  Bitmap bitmap(static_cast<HBITMAP>(
      ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!bitmap) return std::nullopt;
  BITMAP header{};
  ::GetObjectW(bitmap.get(), sizeof(header), &header);
  Picture picture(header.bmWidth, header.bmHeight);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  WindowDc screen(nullptr);
  if (::GetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(picture.height),
                  picture.pixels.data(), &info, DIB_RGB_COLORS) != picture.height) {
    return std::nullopt;
  }
  for (std::uint32_t& p : picture.pixels) p &= 0x00FFFFFFu;
  return picture;
}

std::optional<Picture> ReadPackedDib(const void* data, std::size_t size) {
  if (size < sizeof(BITMAPINFOHEADER)) return std::nullopt;
  BITMAPINFOHEADER h;
  std::memcpy(&h, data, sizeof(h));
  const int bpp = h.biBitCount;
  if (bpp != 24 && bpp != 32) return std::nullopt;
  std::size_t offset = h.biSize;
  if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) offset += 12;
  offset += static_cast<std::size_t>(h.biClrUsed) * 4;
  const int width = h.biWidth, height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  const auto bytes_per_pixel = static_cast<std::size_t>(bpp / 8);
  const std::size_t stride =
      (static_cast<std::size_t>(width) * bytes_per_pixel + 3) & ~std::size_t{3};
  if (size < offset + stride * static_cast<std::size_t>(height)) return std::nullopt;
  const auto* bits = static_cast<const std::uint8_t*>(data) + offset;
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row =
        bits + stride * static_cast<std::size_t>(h.biHeight < 0 ? y : height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytes_per_pixel;
      picture.at(x, y) = static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    }
  }
  return picture;
}

Picture Plain(int width, int height, Colour colour) {
  return Picture(width, height, PixelOf(colour));
}

}  // namespace capture::win32::test
