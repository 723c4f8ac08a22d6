// A full-HD selection in every format: each file is complete, and the time each save takes and
// the size of each file are printed (figures, not limits). Where ImageMagick can be run, the PNG
// is also compared with ImageMagick's default PNG of the same pixels.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "output/image_file.h"
#include "save_test_support.h"
#include "test_support.h"

namespace capture::win32 {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;

class SaveFullHdTest : public ::testing::TestWithParam<const char*> {
 protected:
  Picture Selection() const {
    return GetParam() == std::string("desktop") ? fake::DesktopPicture(kWidth, kHeight)
                                                : fake::PhotographicPicture(kWidth, kHeight);
  }

  test::ScratchFolder folder;
  test::GdiplusPlatform host;
};

TEST_P(SaveFullHdTest, EveryFormat_WritesAWholeFile) {
  const Picture selection = Selection();
  for (const char16_t* extension : {u"png", u"jpg", u"bmp", u"gif", u"tiff"}) {
    const std::u16string path = folder.path() + u"shot." + extension;

    const auto started = std::chrono::steady_clock::now();
    const bool written =
        WriteImageFile(host.platform, selection, path, extension, EncoderSettings{});
    const std::chrono::duration<double, std::milli> took =
        std::chrono::steady_clock::now() - started;

    EXPECT_TRUE(written);
    const auto bytes = test::ReadFileBytes(path);
    std::printf(
        "%s %-4s %8.1f ms %10zu bytes\n", GetParam(),
        std::string(extension, extension + std::char_traits<char16_t>::length(extension)).c_str(),
        took.count(), bytes.size());
    EXPECT_GT(bytes.size(), 1000u);
  }
  const std::optional<Picture> bmp = test::LoadBmp(Wide(folder.path() + u"shot.bmp"));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(*bmp, selection);

  const auto imagemagick = test::RunUnixCommand(
      folder, "convert", "convert shot.bmp magick.png && stat -c '%s' magick.png shot.png");
  if (!imagemagick) return;
  ASSERT_EQ(imagemagick->size(), 2u);
  std::printf("%s PNG: ImageMagick's default %s bytes, ours %s bytes\n", GetParam(),
              (*imagemagick)[0].c_str(), (*imagemagick)[1].c_str());
}

INSTANTIATE_TEST_SUITE_P(Pictures, SaveFullHdTest, ::testing::Values("desktop", "photograph"));

}  // namespace
}  // namespace capture::win32
