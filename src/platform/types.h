// Plain value types shared by the core and the platform layer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace capture {

// A colour in the Windows COLORREF layout: red in the lowest byte, then green, then blue.
using Colour = std::int32_t;

constexpr Colour Rgb(int r, int g, int b) {
  return r | (g << 8) | (b << 16);
}

// Window coordinates: screen pixels as single-precision numbers, origin at the screen's top-left.
struct PointF {
  float x = 0;
  float y = 0;
};

// A whole-number rectangle with right and bottom exclusive (the Windows RECT).
struct RectI {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const RectI&, const RectI&) = default;
};

// Left-top-inclusive, right-bottom-exclusive point test (the Windows PtInRect).
constexpr bool PtInRect(const RectI& r, std::int32_t x, std::int32_t y) {
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

// A window coordinate taken to a whole pixel: the nearest, halves to the even neighbour. The core
// and the Windows shell both round with this, so they never disagree by a pixel at .5.
std::int32_t Round(float value);

// Smallest rectangle holding both; an empty rectangle is ignored.
RectI Union(const RectI& a, const RectI& b);
// Overlap of both, or an empty rectangle.
RectI Intersect(const RectI& a, const RectI& b);

struct PointI {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const PointI&, const PointI&) = default;
};

struct SizeI {
  int width = 0;
  int height = 0;
  friend bool operator==(const SizeI&, const SizeI&) = default;
};

// A top-down 32-bit picture. Each pixel is 0x00RRGGBB, the memory layout of a 32-bit DIB.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  Picture() = default;
  Picture(int w, int h, std::uint32_t fill = 0)
      : width(w), height(h), pixels(Index(w, h, 0), fill) {}

  // Takes the size w x h and keeps the room already allocated, so that a picture made again and
  // again allocates nothing once it has been that large; the pixels are left as they happen to be.
  void Resize(int w, int h) {
    width = w;
    height = h;
    pixels.resize(Index(w, h, 0));
  }

  std::uint32_t& at(int x, int y) { return pixels[Index(width, y, x)]; }
  std::uint32_t at(int x, int y) const { return pixels[Index(width, y, x)]; }
  friend bool operator==(const Picture&, const Picture&) = default;

 private:
  // Row `y` of rows `width` pixels long, pixel `x` in it (all three non-negative).
  static std::size_t Index(int width, int y, int x) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
  }
};

// A read-only view of pixels owned elsewhere (a DIB section, a Picture).
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels from one row to the next

  static PixelView Of(const Picture& p) { return {p.pixels.data(), p.width, p.height, p.width}; }
  const std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

// Pixels owned elsewhere (a DIB section, a Picture, a layered window's buffer), to write into.
struct PixelTarget {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels from one row to the next

  static PixelTarget Of(Picture& p) { return {p.pixels.data(), p.width, p.height, p.width}; }
  std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

// Converts between the COLORREF layout and the pixel layout (they swap red and blue).
constexpr std::uint32_t PixelOf(Colour c) {
  const auto u = static_cast<std::uint32_t>(c);
  return ((u & 0xFFu) << 16) | (u & 0xFF00u) | ((u >> 16) & 0xFFu);
}
constexpr Colour ColourOf(std::uint32_t pixel) {
  return static_cast<Colour>(((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu));
}

// A run of pixels on one row: from `left` to `right` (exclusive).
struct Span {
  int y = 0;
  int left = 0;
  int right = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

// A pixel seen through a tint, as a marker tints paper: each channel becomes pixel x tint / 255,
// so white becomes the tint and black stays black. Both in the pixel layout.
constexpr std::uint32_t MultiplyPixel(std::uint32_t pixel, std::uint32_t tint) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t p = (pixel >> shift) & 0xFFu, t = (tint >> shift) & 0xFFu;
    out |= ((p * t + 127) / 255) << shift;
  }
  return out;
}

// The application-wide pointer override codes.
enum class Pointer : int {
  Default = 0,  // no override: the standard arrow
  Arrow = 1,
  Cross = 2,
  SizeAll = 5,
  SizeNESW = 6,
  SizeNS = 7,
  SizeNWSE = 8,
  SizeWE = 9,
  Wait = 11,
};

// Mouse button codes as the reactions receive them: 1 left alone, 2 right alone, 4 middle alone;
// several buttons add up.
namespace button {
inline constexpr int kLeft = 1;
inline constexpr int kRight = 2;
inline constexpr int kMiddle = 4;
}  // namespace button

// A key pressed on the window: its virtual-key code (letters by their capital: 'C') and the
// modifier keys held with it, read as the key went down.
struct KeyStroke {
  int code = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// The virtual-key codes the window reacts to besides the letters; the values are Windows' own, so
// the platform hands its codes over unchanged.
namespace key {
inline constexpr int kBackspace = 0x08;
inline constexpr int kReturn = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kDelete = 0x2E;
inline constexpr int kF3 = 0x72;
inline constexpr int kComma = 0xBC;   // VK_OEM_COMMA: "," on every layout
inline constexpr int kPeriod = 0xBE;  // VK_OEM_PERIOD: "."
}  // namespace key

}  // namespace capture
