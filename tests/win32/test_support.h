// Helpers for the Windows adapter tests: pictures from BMP files and from packed DIBs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/types.h"

namespace capture::win32::test {

// A Windows path for a file named by a Unix path (Wine maps drive Z: to /); other paths as given.
std::wstring WindowsPath(const std::string& path);
// The pixels of a BMP file, or nothing when it cannot be read.
std::optional<Picture> LoadBmp(const std::wstring& path);
// The pixels of a packed DIB (header, optional masks, bits) of 24 or 32 bits per pixel.
std::optional<Picture> ReadPackedDib(const void* data, std::size_t size);
// A picture of one colour.
Picture Plain(int width, int height, Colour colour);
// How many pixels of the surface-sized area differ from `colour`, read with `pixel`.
template <typename PixelOf>
int CountNot(int width, int height, Colour colour, PixelOf&& pixel) {
  int n = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) n += pixel(x, y) != colour ? 1 : 0;
  }
  return n;
}

}  // namespace capture::win32::test
