// A picture given row by row (a tall joined picture, kept in chunks) is written from its rows:
// PNG and BMP with no whole copy of it, the other formats from the rows gathered.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "output/bmp_writer.h"
#include "output/image_file.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

// The rows of a picture, each kept on its own: nothing holds them as one Picture.
class ScatteredRows final : public PictureRows {
 public:
  explicit ScatteredRows(const Picture& picture) : width_(picture.width) {
    for (int y = 0; y < picture.height; ++y) {
      const std::uint32_t* row = PixelView::Of(picture).Row(y);
      rows_.emplace_back(row, row + picture.width);
    }
  }
  int Width() const override { return width_; }
  int Height() const override { return static_cast<int>(rows_.size()); }
  const std::uint32_t* Row(int y) const override {
    return rows_.at(static_cast<std::size_t>(y)).data();
  }

 private:
  int width_;
  std::vector<std::vector<std::uint32_t>> rows_;
};

class RowsFileTest : public ::testing::Test {
 protected:
  bool Save(const std::u16string& extension) {
    return WriteImageFile(fake.platform, rows, path, extension, EncoderSettings{});
  }

  fake::FakePlatform fake{Picture(8, 8)};
  fake::FakeGdiplus& gdiplus = fake.gdiplus;
  // 7 wide (rows padded in a BMP) and 600 tall (more than two bands of rows).
  Picture picture = fake::NoisePicture(7, 600);
  ScatteredRows rows{picture};
  std::u16string path = u"C:\\截图\\tall.x";
};

TEST_F(RowsFileTest, Bmp_IsTheBmpWritersFileWrittenBandByBandWithoutGdiplus) {
  EXPECT_TRUE(Save(u"bmp"));

  ASSERT_TRUE(gdiplus.files.contains(path));
  EXPECT_EQ(gdiplus.files[path], EncodeBmp(picture));
  EXPECT_TRUE(gdiplus.bitmaps.empty());
  EXPECT_EQ(std::count(gdiplus.calls.begin(), gdiplus.calls.end(), "AppendFile"), 3);
  EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(RowsFileTest, Png_IsEncodedFromTheRowsAndWrittenAsItComes) {
  EXPECT_TRUE(Save(u"PNG"));

  ASSERT_EQ(gdiplus.bitmaps.size(), 1u);  // what EncodePng read
  EXPECT_EQ(gdiplus.bitmaps[0], picture);
  EXPECT_TRUE(gdiplus.saves.empty()) << "GDI+ needs the whole picture";
  EXPECT_EQ(gdiplus.files[path], (std::vector<std::uint8_t>{'P', 'N', 'G'}));
}

TEST_F(RowsFileTest, OtherFormats_AreGatheredIntoOnePictureForGdiplus) {
  EXPECT_TRUE(Save(u"jpg"));

  ASSERT_EQ(gdiplus.bitmaps.size(), 1u);  // what CreateBitmap was given
  EXPECT_EQ(gdiplus.bitmaps[0], picture);
  EXPECT_EQ(gdiplus.saves.size(), 1u);
}

TEST_F(RowsFileTest, AFailedWriteOrEncoding_KeepsTheOldFileAndIsReported) {
  const FileError full{112, u"磁盘空间不足。"};
  struct Case {
    const char16_t* extension;
    bool encoding_fails;
  };
  for (const auto& [extension, encoding_fails] :
       {Case{u"bmp", false}, Case{u"png", false}, Case{u"png", true}}) {
    {
      SCOPED_TRACE(std::string(encoding_fails ? "encoding " : "writing ") +
                   (extension[0] == u'b' ? "bmp" : "png"));
      gdiplus.files = {{path, {'o', 'l', 'd'}}};
      gdiplus.write_error = encoding_fails ? FileResult{} : FileResult{full};
      gdiplus.save_status = encoding_fails ? gp_status::kGenericError : gp_status::kOk;
      fake.dialogs.messages.clear();

      EXPECT_FALSE(Save(extension));

      EXPECT_EQ(gdiplus.files,
                (std::map<std::u16string, std::vector<std::uint8_t>>{{path, {'o', 'l', 'd'}}}));
      EXPECT_EQ(fake.dialogs.messages.size(), 1u);
      EXPECT_EQ(fake.window.pointer, Pointer::Default);
    }
  }
}

}  // namespace
}  // namespace capture
