// The file formats the encoder writes, chosen by a file extension.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace capture {

enum class ImageFormat { Jpeg, Png, Gif, Tiff, Bmp };

// The GDI+ built-in encoders' class ids, as text.
inline constexpr std::u16string_view kJpegEncoder = u"{557CF401-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr std::u16string_view kGifEncoder = u"{557CF402-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr std::u16string_view kTiffEncoder = u"{557CF405-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr std::u16string_view kPngEncoder = u"{557CF406-1A04-11D3-9A73-0000F81EF32E}";

// The encoder parameters' GUIDs, as text.
inline constexpr std::u16string_view kEncoderQuality = u"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
inline constexpr std::u16string_view kEncoderCompression =
    u"{E09D739D-CCD4-44EE-8EBA-3FBF8BE4FC58}";
inline constexpr std::u16string_view kEncoderColorDepth = u"{66087055-AD66-4C7C-9A18-38A2310B8337}";

// The format for an extension, compared in lower case ("PNG", "Png" and "png" alike); nothing for
// an extension the encoder does not write.
std::optional<ImageFormat> FormatOfExtension(std::u16string_view extension);

// The GDI+ encoder's class id text; BMP has none (it is written without GDI+).
std::u16string_view EncoderOf(ImageFormat format);

// JPEG's size fields are 16 bits: neither side of its picture may pass 65535 pixels.
inline constexpr int kJpegLargestSide = 65535;
constexpr bool JpegCanHold(int width, int height) {
  return width <= kJpegLargestSide && height <= kJpegLargestSide;
}

// ASCII letters lowered, everything else left as it is.
std::u16string LowerCase(std::u16string_view text);

}  // namespace capture
