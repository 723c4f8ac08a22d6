#include "shell/dib.h"

#include <utility>

#include "platform/pixels.h"

namespace capture::win32 {

Dib::Dib(int width, int height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  CreatedDc dc(::CreateCompatibleDC(nullptr));
  if (!bitmap || !dc || !bits) return;
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  selected_ = std::make_unique<SelectedObject>(dc_.get(), bitmap_.get());
  pixels_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

Dib::Dib(Dib&& other) noexcept {
  *this = std::move(other);
}

Dib& Dib::operator=(Dib&& other) noexcept {
  if (this == &other) return *this;
  // The bitmap must leave the device context before either is deleted.
  selected_.reset();
  bitmap_.Reset();
  dc_.Reset();
  dc_ = std::move(other.dc_);
  bitmap_ = std::move(other.bitmap_);
  selected_ = std::move(other.selected_);
  pixels_ = std::exchange(other.pixels_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  return *this;
}

Dib::~Dib() {
  selected_.reset();
}

void CopyArea(const Dib& from, Dib& to, const RectI& rect) {
  CopyPixels(from.View(), rect, to.Target(), {rect.left, rect.top});
}

void PastePixels(PixelView from, Dib& to, int x, int y) {
  CopyPixels(from, {0, 0, from.width, from.height}, to.Target(), {x, y});
}

}  // namespace capture::win32
