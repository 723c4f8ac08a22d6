#include "output/image_formats.h"

#include <array>
#include <utility>

namespace capture {
namespace {

// "jpeg" and "tif" are the common spellings of the same formats; the save dialog's own JPEG
// filter names "*.jpeg".
constexpr std::array<std::pair<std::u16string_view, ImageFormat>, 7> kFormats{{
    {u"jpg", ImageFormat::Jpeg},
    {u"jpeg", ImageFormat::Jpeg},
    {u"png", ImageFormat::Png},
    {u"gif", ImageFormat::Gif},
    {u"tiff", ImageFormat::Tiff},
    {u"tif", ImageFormat::Tiff},
    {u"bmp", ImageFormat::Bmp},
}};

}  // namespace

std::u16string LowerCase(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

std::optional<ImageFormat> FormatOfExtension(std::u16string_view extension) {
  const std::u16string lower = LowerCase(extension);
  for (const auto& [name, format] : kFormats) {
    if (lower == name) return format;
  }
  return std::nullopt;
}

std::u16string_view EncoderOf(ImageFormat format) {
  switch (format) {
    case ImageFormat::Jpeg:
      return kJpegEncoder;
    case ImageFormat::Png:
      return kPngEncoder;
    case ImageFormat::Gif:
      return kGifEncoder;
    case ImageFormat::Tiff:
      return kTiffEncoder;
    case ImageFormat::Bmp:
      break;
  }
  return {};
}

}  // namespace capture
