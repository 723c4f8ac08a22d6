// Each format through the real GDI+ (or the BMP writer), read back by an independent reader.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <propidl.h>
#include <gdiplus.h>
// clang-format on

#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>

#include "output/image_file.h"
#include "save_test_support.h"
#include "test_support.h"

namespace capture::win32 {
namespace {

namespace gp = ::Gdiplus;
namespace flat = ::Gdiplus::DllExports;

struct Decoded {
  Picture picture;
  gp::PixelFormat format = 0;
};

// Reads an image file with GDI+'s decoders (on Wine, its windowscodecs).
std::optional<Decoded> DecodeWithGdiplus(const std::u16string& path) {
  const gp::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (gp::GdiplusStartup(&token, &input, nullptr) != gp::Ok) return std::nullopt;
  std::optional<Decoded> out;
  gp::GpBitmap* bitmap = nullptr;
  const std::wstring wide = Wide(path);
  if (flat::GdipCreateBitmapFromFile(wide.c_str(), &bitmap) == gp::Ok) {
    UINT width = 0, height = 0;
    Decoded decoded;
    flat::GdipGetImageWidth(bitmap, &width);
    flat::GdipGetImageHeight(bitmap, &height);
    flat::GdipGetImagePixelFormat(bitmap, &decoded.format);
    decoded.picture = Picture(static_cast<int>(width), static_cast<int>(height));
    const gp::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    gp::BitmapData data{};
    if (flat::GdipBitmapLockBits(bitmap, &all, gp::ImageLockModeRead, PixelFormat32bppRGB, &data) ==
        gp::Ok) {
      for (UINT y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(data.Scan0) +
                                                   static_cast<std::ptrdiff_t>(y) * data.Stride);
        for (UINT x = 0; x < width; ++x) decoded.picture.at(int(x), int(y)) = row[x] & 0xFFFFFFu;
      }
      flat::GdipBitmapUnlockBits(bitmap, &data);
      out = decoded;
    }
    flat::GdipDisposeImage(bitmap);
  }
  gp::GdiplusShutdown(token);
  return out;
}

// Mean absolute difference per channel, and the peak signal-to-noise ratio in dB.
struct Difference {
  double mean = 0;
  double psnr = 0;
};
Difference Compare(const Picture& a, const Picture& b) {
  double total = 0, squares = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      const int d = int(a.pixels[i] >> shift & 0xFF) - int(b.pixels[i] >> shift & 0xFF);
      total += std::abs(d);
      squares += d * d;
    }
  }
  const double n = 3.0 * static_cast<double>(a.pixels.size());
  return {total / n, squares == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / (squares / n))};
}

// The nearest colour of the 216-colour web palette for every pixel.
Picture WebPalette(const Picture& picture) {
  Picture out = picture;
  for (std::uint32_t& p : out.pixels) {
    std::uint32_t q = 0;
    for (int shift : {0, 8, 16})
      q |= std::uint32_t((int(p >> shift & 0xFF) + 25) / 51 * 51) << shift;
    p = q;
  }
  return out;
}

// The first IFD's entries of a TIFF file: tag -> values.
std::map<int, std::vector<std::uint32_t>> TiffTags(const std::vector<std::uint8_t>& f) {
  std::map<int, std::vector<std::uint32_t>> tags;
  if (f.size() < 8) return tags;
  const bool little = f[0] == 'I';
  const auto u16 = [&](std::size_t at) -> std::uint32_t {
    return little ? f.at(at) | f.at(at + 1) << 8 : f.at(at) << 8 | f.at(at + 1);
  };
  const auto u32 = [&](std::size_t at) -> std::uint32_t {
    return little ? u16(at) | u16(at + 2) << 16 : u16(at) << 16 | u16(at + 2);
  };
  const std::size_t ifd = u32(4);
  for (std::size_t i = 0; i < u16(ifd); ++i) {
    const std::size_t entry = ifd + 2 + 12 * i;
    const std::uint32_t type = u16(entry + 2), count = u32(entry + 4);
    const std::size_t size = type == 3 ? 2 : 4;  // SHORT or LONG (the tags read here)
    const std::size_t values = size * count <= 4 ? entry + 8 : u32(entry + 8);
    for (std::size_t k = 0; k < count && k < 16; ++k) {
      tags[int(u16(entry))].push_back(size == 2 ? u16(values + 2 * k) : u32(values + 4 * k));
    }
  }
  return tags;
}

class SaveFormatsTest : public ::testing::Test {
 protected:
  // Saves through WriteImageFile as the save button does, expecting no error box.
  std::u16string Save(const Picture& picture, const std::u16string& name,
                      const std::u16string& extension) {
    std::u16string path = folder.path() + name;
    EXPECT_TRUE(WriteImageFile(host.platform, picture, path, extension, EncoderSettings{}));
    EXPECT_TRUE(host.dialogs.messages.empty())
        << (host.dialogs.messages.empty() ? "" : Narrow(host.dialogs.messages[0].text));
    return path;
  }
  static std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
  }

  test::ScratchFolder folder;
  test::GdiplusPlatform host;
  Picture noise = fake::NoisePicture(97, 61, 5);
};

TEST_F(SaveFormatsTest, Png_IsPixelExact) {
  const auto path = Save(noise, u"a.png", u"png");

  EXPECT_TRUE(test::StartsWith(test::ReadFileBytes(path), "\x89PNG\r\n\x1a\n"));
  const auto decoded = DecodeWithGdiplus(path);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->picture, noise);
}

TEST_F(SaveFormatsTest, Bmp_Is24BitsAndPixelExactForTheSystemsOwnReader) {
  const auto path = Save(noise, u"a.BMP", u"BMP");

  const auto bytes = test::ReadFileBytes(path);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_TRUE(test::StartsWith(bytes, "BM"));
  EXPECT_EQ(bytes[28], 24);
  const std::optional<Picture> loaded = test::LoadBmp(Wide(path));  // USER32's LoadImageW
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, noise);
}

TEST_F(SaveFormatsTest, Tiff_IsUncompressed24BitsPerPixelAndPixelExact) {
  for (const char16_t* extension : {u"tiff", u"tif"}) {
    const auto path = Save(noise, u"a." + std::u16string(extension), extension);

    const auto bytes = test::ReadFileBytes(path);
    EXPECT_TRUE(test::StartsWith(bytes, "II*") || test::StartsWith(bytes, "MM\0*"));
    auto tags = TiffTags(bytes);
    EXPECT_EQ(tags[256], std::vector<std::uint32_t>{97});         // width
    EXPECT_EQ(tags[257], std::vector<std::uint32_t>{61});         // height
    EXPECT_EQ(tags[259], std::vector<std::uint32_t>{1});          // no compression
    EXPECT_EQ(tags[258], (std::vector<std::uint32_t>{8, 8, 8}));  // bits per sample
    const auto decoded = DecodeWithGdiplus(path);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->picture, noise);
  }
}

TEST_F(SaveFormatsTest, Jpeg_HasThePicturesSizeAndIsCloseToIt) {
  const Picture photo = fake::PhotographicPicture(320, 200);
  for (const char16_t* extension : {u"jpg", u"jpeg"}) {
    const auto path = Save(photo, u"a." + std::u16string(extension), extension);

    EXPECT_TRUE(test::StartsWith(test::ReadFileBytes(path), "\xFF\xD8\xFF"));
    const auto decoded = DecodeWithGdiplus(path);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->picture.width, 320);
    ASSERT_EQ(decoded->picture.height, 200);
    const Difference d = Compare(photo, decoded->picture);
    std::printf("JPEG .%s: PSNR %.2f dB, mean error %.2f per channel\n",
                extension == std::u16string(u"jpg") ? "jpg" : "jpeg", d.psnr, d.mean);
    EXPECT_GT(d.psnr, 30.0);
  }
}

TEST_F(SaveFormatsTest, Gif_OfAPhotograph_Has256ColoursChosenForIt) {
  const Picture photo = fake::PhotographicPicture(320, 200);
  const auto path = Save(photo, u"a.gif", u"gif");

  const auto bytes = test::ReadFileBytes(path);
  EXPECT_TRUE(test::StartsWith(bytes, "GIF87a") || test::StartsWith(bytes, "GIF89a"));
  const auto decoded = DecodeWithGdiplus(path);
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->picture.width, 320);
  ASSERT_EQ(decoded->picture.height, 200);
  const std::set<std::uint32_t> colours(decoded->picture.pixels.begin(),
                                        decoded->picture.pixels.end());
  const Difference ours = Compare(photo, decoded->picture);
  const Difference web = Compare(photo, WebPalette(photo));
  std::printf("GIF: %zu colours, mean error %.2f (PSNR %.2f dB); web palette %.2f (%.2f dB)\n",
              colours.size(), ours.mean, ours.psnr, web.mean, web.psnr);
  EXPECT_LE(colours.size(), 256u);
  EXPECT_LT(ours.mean, web.mean / 2.5);
}

TEST_F(SaveFormatsTest, Gif_OfAScreenOfFewColours_IsPixelExact) {
  Picture screen(120, 80, 0xF0F0F0);
  for (int x = 0; x < 120; ++x) screen.at(x, 20) = 0x0078D7;
  for (int y = 30; y < 60; ++y) screen.at(y, y) = 0xE81123;

  const auto path = Save(screen, u"b.GIF", u"GIF");

  const auto decoded = DecodeWithGdiplus(path);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->picture, screen);
}

// ImageMagick's `identify` of the named files in the folder, one line each ("format width height
// colours compression depth"); nothing when it cannot be run.
std::optional<std::vector<std::string>> Identify(const test::ScratchFolder& folder,
                                                 const std::vector<std::string>& names) {
  std::string command = "identify -format '%m %w %h %k %C %z\\n'";
  for (const std::string& name : names) command += " '" + name + "'";
  return test::RunUnixCommand(folder, "identify", command);
}

TEST_F(SaveFormatsTest, EveryFormat_OpensInImageMagick) {
  const Picture photo = fake::PhotographicPicture(320, 200);
  Save(noise, u"a.png", u"png");
  Save(noise, u"a.bmp", u"bmp");
  Save(noise, u"a.tiff", u"tiff");
  Save(photo, u"a.jpg", u"jpg");
  Save(photo, u"a.gif", u"gif");

  const auto lines = Identify(folder, {"a.png", "a.bmp", "a.tiff", "a.jpg", "a.gif"});

  if (!lines) GTEST_SKIP() << "ImageMagick's identify is run only under Wine";
  ASSERT_EQ(lines->size(), 5u);
  for (const std::string& line : *lines) std::printf("identify: %s\n", line.c_str());
  EXPECT_TRUE((*lines)[0].starts_with("PNG 97 61 ")) << (*lines)[0];
  EXPECT_TRUE((*lines)[1].starts_with("BMP")) << (*lines)[1];
  EXPECT_NE((*lines)[1].find(" 97 61 "), std::string::npos) << (*lines)[1];
  EXPECT_TRUE((*lines)[2].starts_with("TIFF 97 61 ")) << (*lines)[2];
  EXPECT_TRUE((*lines)[2].ends_with(" None 8")) << (*lines)[2];
  EXPECT_TRUE((*lines)[3].starts_with("JPEG 320 200 ")) << (*lines)[3];
  std::istringstream gif((*lines)[4]);
  std::string format;
  int width = 0, height = 0, colours = 0;
  gif >> format >> width >> height >> colours;
  EXPECT_EQ(format, "GIF");
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 200);
  EXPECT_GT(colours, 100);
  EXPECT_LE(colours, 256);
}

}  // namespace
}  // namespace capture::win32
