#include "output/image_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "output/bmp_writer.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

const Guid kJpeg{0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
const Guid kGif{0x557CF402, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
const Guid kTiff{0x557CF405, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
const Guid kPng{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

std::u16string ErrorText(const char16_t* number, const std::u16string& description) {
  return u"在保存图片的过程中发生错误:\r\n\r\n错误号: " + std::u16string(number) +
         u"\r\n错误描述: " + description;
}

std::uint32_t Data1At(const std::vector<std::uint8_t>& block, std::size_t at) {
  return std::uint32_t{block.at(at)} | std::uint32_t{block.at(at + 1)} << 8 |
         std::uint32_t{block.at(at + 2)} << 16 | std::uint32_t{block.at(at + 3)} << 24;
}

// A picture's rows, not kept as one Picture: what a joined tall picture gives.
class GatheredRows final : public PictureRows {
 public:
  explicit GatheredRows(const Picture& picture) : picture_(picture) {}
  int Width() const override { return picture_.width; }
  int Height() const override { return picture_.height; }
  const std::uint32_t* Row(int y) const override { return PixelView::Of(picture_).Row(y); }

 private:
  const Picture& picture_;
};

class WriteImageFileTest : public ::testing::Test {
 protected:
  bool Save(const std::u16string& extension) {
    return WriteImageFile(fake.platform, picture, path, extension, EncoderSettings{80, 24, 6});
  }

  void ExpectOneBox(const std::u16string& text) {
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].title, u"错误");
    EXPECT_EQ(fake.dialogs.messages[0].text, text);
  }

  void ExpectAllReleased() {
    EXPECT_TRUE(gdiplus.live_images.empty());
    EXPECT_EQ(gdiplus.open_sessions, 0);
    EXPECT_EQ(fake.window.pointer, Pointer::Default);
  }

  fake::FakePlatform fake{Picture(8, 8)};
  fake::FakeGdiplus& gdiplus = fake.gdiplus;
  Picture picture = fake::NoisePicture(16, 9);
  std::u16string path = u"C:\\截图\\shot.x";
};

TEST_F(WriteImageFileTest, PngInAnyCase_UsesThePngEncoderWithoutParameters) {
  for (const char16_t* extension : {u"PNG", u"Png", u"png"}) {
    gdiplus.saves.clear();

    EXPECT_TRUE(Save(extension));

    ASSERT_EQ(gdiplus.saves.size(), 1u);
    EXPECT_EQ(gdiplus.saves[0].encoder, kPng);
    EXPECT_TRUE(gdiplus.files.contains(path));
    EXPECT_EQ(gdiplus.saves[0].parameters, std::vector<std::uint8_t>(24 + 2 * sizeof(void*), 0));
  }
  ASSERT_EQ(gdiplus.bitmaps.size(), 3u);
  EXPECT_EQ(gdiplus.bitmaps[0], picture);
  EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(WriteImageFileTest, JpgAndJpeg_UseTheJpegEncoderAtTheGivenQuality) {
  for (const char16_t* extension : {u"jpg", u"JPG", u"jpeg", u"JPEG"}) {
    gdiplus.saves.clear();

    EXPECT_TRUE(Save(extension));

    ASSERT_EQ(gdiplus.saves.size(), 1u);
    EXPECT_EQ(gdiplus.saves[0].encoder, kJpeg);
    EXPECT_EQ(Data1At(gdiplus.saves[0].parameters, sizeof(void*)), 0x1D5BE4B5u);  // quality
    EXPECT_EQ(gdiplus.saves[0].values, (std::vector<std::int32_t>{80}));
  }
}

TEST_F(WriteImageFileTest, TiffAndTif_AreUncompressed24BitsPerPixel) {
  for (const char16_t* extension : {u"tiff", u"TIF", u"tif"}) {
    gdiplus.saves.clear();

    EXPECT_TRUE(Save(extension));

    ASSERT_EQ(gdiplus.saves.size(), 1u);
    const auto& block = gdiplus.saves[0].parameters;
    EXPECT_EQ(gdiplus.saves[0].encoder, kTiff);
    EXPECT_EQ(Data1At(block, sizeof(void*)), 0xE09D739Du);                       // compression
    EXPECT_EQ(Data1At(block, sizeof(void*) + 24 + sizeof(void*)), 0x66087055u);  // colour depth
    EXPECT_EQ(gdiplus.saves[0].values, (std::vector<std::int32_t>{6, 24}));
  }
}

TEST_F(WriteImageFileTest, Gif_IsHandedOverAsAnIndexedPictureOfTheSamePixels) {
  picture = Picture(5, 4, 0x00FF00);
  picture.at(1, 2) = 0x123456;

  EXPECT_TRUE(Save(u"gif"));

  EXPECT_TRUE(gdiplus.bitmaps.empty());
  ASSERT_EQ(gdiplus.indexed.size(), 1u);
  const IndexedPicture& indexed = gdiplus.indexed[0];
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(indexed.palette.at(indexed.indices.at(static_cast<std::size_t>(y * 5 + x))),
                picture.at(x, y));
  }
  ASSERT_EQ(gdiplus.saves.size(), 1u);
  EXPECT_EQ(gdiplus.saves[0].encoder, kGif);
  EXPECT_TRUE(gdiplus.saves[0].values.empty());
}

TEST_F(WriteImageFileTest, Bmp_IsWrittenByTheBmpWriterNotByGdiplus) {
  EXPECT_TRUE(Save(u"BMP"));

  EXPECT_TRUE(gdiplus.saves.empty());
  ASSERT_TRUE(gdiplus.files.contains(path));
  EXPECT_EQ(gdiplus.files[path], EncodeBmp(picture));
}

TEST_F(WriteImageFileTest, Success_StartsAndEndsGdiplusAroundTheSaveUnderTheWaitPointer) {
  Pointer during = Pointer::Default;
  gdiplus.on_save = [&] { during = fake.window.pointer; };

  EXPECT_TRUE(Save(u"png"));

  EXPECT_EQ(during, Pointer::Wait);
  EXPECT_EQ(gdiplus.calls.front(), "Startup");
  EXPECT_EQ(gdiplus.calls[1], "CreateBitmap");
  EXPECT_EQ(gdiplus.calls.back(), "Shutdown");
  EXPECT_EQ(gdiplus.shutdowns, std::vector<Gdiplus::Token>{fake::FakeGdiplus::kToken});
  EXPECT_EQ(fake.window.pointer_history, (std::vector<Pointer>{Pointer::Wait, Pointer::Default}));
  ExpectAllReleased();
}

TEST_F(WriteImageFileTest, UnknownExtension_ReportsError9AfterRestoringThePointerAndWritesNothing) {
  for (const char16_t* extension : {u"bitmap", u"jpe", u"", u"b\\c"}) {
    fake.dialogs.messages.clear();
    Pointer at_box = Pointer::Wait;
    std::size_t calls_at_box = 0;
    fake.dialogs.on_message = [&] {
      at_box = fake.window.pointer;
      calls_at_box = gdiplus.calls.size();
    };

    EXPECT_FALSE(Save(extension));

    ExpectOneBox(ErrorText(u"9", u"下标越界"));
    EXPECT_EQ(at_box, Pointer::Default);
    // The bitmap is disposed of and GDI+ shut down only after the box was closed.
    EXPECT_EQ(gdiplus.calls.size(), calls_at_box + 2);
    EXPECT_TRUE(gdiplus.saves.empty());
    EXPECT_TRUE(gdiplus.files.empty());
    ExpectAllReleased();
  }
}

TEST_F(WriteImageFileTest, GdiplusThatDoesNotStart_IsReported) {
  gdiplus.startup_status = gp_status::kWin32Error;

  EXPECT_FALSE(Save(u"png"));

  ExpectOneBox(ErrorText(u"1007", u"GDI+ 启动失败：Win32 错误"));
  EXPECT_EQ(gdiplus.calls, std::vector<std::string>{"Startup"});
  ExpectAllReleased();
}

TEST_F(WriteImageFileTest, BitmapThatCannotBeCreated_IsReportedAndGdiplusStillShutDown) {
  gdiplus.create_status = gp_status::kOutOfMemory;

  EXPECT_FALSE(Save(u"png"));

  ExpectOneBox(ErrorText(u"1003", u"无法创建 GDI+ 位图：内存不足"));
  EXPECT_EQ(gdiplus.calls.back(), "Shutdown");
  EXPECT_TRUE(gdiplus.saves.empty());
  ExpectAllReleased();
}

TEST_F(WriteImageFileTest, PictureWithoutPixels_IsReportedWithoutTouchingGdiplusBitmaps) {
  picture = Picture();

  EXPECT_FALSE(Save(u"png"));

  ExpectOneBox(ErrorText(u"481", u"无效图片"));
  EXPECT_TRUE(gdiplus.bitmaps.empty());
  ExpectAllReleased();
}

// The calls that touch files, in order.
std::vector<std::string> FileCalls(const std::vector<std::string>& calls) {
  std::vector<std::string> out;
  for (const std::string& call : calls) {
    if (call.ends_with("File") || call == "MoveOver") out.push_back(call);
  }
  return out;
}

TEST_F(WriteImageFileTest, ExistingFile_IsReplacedOnlyByACompleteFileWrittenBesideItAndFlushed) {
  for (const char* write : {"SaveImageToFile", "WriteFile"}) {
    gdiplus.files = {{path, {'o', 'l', 'd'}}};
    gdiplus.calls.clear();

    EXPECT_TRUE(Save(write == std::string("WriteFile") ? u"bmp" : u"png"));

    EXPECT_EQ(FileCalls(gdiplus.calls),
              (std::vector<std::string>{"CreateTemporaryFile", write, "FlushFile", "MoveOver"}));
    ASSERT_EQ(gdiplus.files.size(), 1u) << "a file left beside the target";
    EXPECT_NE(gdiplus.files[path], (std::vector<std::uint8_t>{'o', 'l', 'd'}));
  }
  EXPECT_NE(gdiplus.saves.at(0).path, path);
  EXPECT_EQ(gdiplus.files[path], EncodeBmp(picture));
}

TEST(WriteImageFileJpeg, ASideOver65535_IsReportedBeforeAnyEncodingAndWritesNothing) {
  struct Case {
    int width, height;
    bool fits;
  };
  for (const Case& c :
       {Case{65535, 1, true}, Case{1, 65535, true}, Case{65536, 1, false}, Case{1, 65536, false}}) {
    for (const bool as_rows : {false, true}) {
      SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) +
                   (as_rows ? " from its rows" : ""));
      fake::FakePlatform fake{Picture(8, 8)};
      const Picture picture(c.width, c.height, 0x336699);
      const std::u16string path = u"D:\\shots\\long.jpg";
      const bool written =
          as_rows ? WriteImageFile(fake.platform, GatheredRows(picture), path, u"jpg", {})
                  : WriteImageFile(fake.platform, picture, path, u"jpg", {});

      EXPECT_EQ(written, c.fits);
      EXPECT_EQ(fake.gdiplus.files.contains(path), c.fits);
      if (c.fits) continue;
      EXPECT_TRUE(fake.gdiplus.bitmaps.empty()) << "the picture went to GDI+";
      EXPECT_TRUE(fake.gdiplus.saves.empty());
      ASSERT_EQ(fake.dialogs.messages.size(), 1u);
      EXPECT_EQ(fake.dialogs.messages[0].title, u"错误");
      EXPECT_EQ(
          fake.dialogs.messages[0].text,
          ErrorText(u"6", u"溢出：图片太大，JPEG 的宽和高最多 65535 像素，请换用 PNG 等格式"));
      EXPECT_EQ(fake.window.pointer, Pointer::Default);
    }
  }
}

TEST(WriteImageFileFailure, AtAnyStep_KeepsTheOldFileLeavesNoOtherAndSaysWhatFailed) {
  const FileError full{112, u"磁盘空间不足。"};
  const std::u16string full_number = u"-2147024784";  // 0x80070070, the system's error 112
  struct Case {
    const char* step;
    const char16_t* extension;
    std::function<void(fake::FakeGdiplus&)> arrange;
    std::u16string number, description;
  };
  const Case cases[] = {
      {"create", u"png", [&](auto& g) { g.create_file_error = full; }, full_number,
       u"无法在目标文件夹中创建临时文件：磁盘空间不足。"},
      {"encode", u"png", [](auto& g) { g.save_status = gp_status::kGenericError; }, u"1001",
       u"GDI+ 无法写入图片文件：一般性错误"},
      {"write", u"bmp", [&](auto& g) { g.write_error = full; }, full_number,
       u"无法写入临时文件：磁盘空间不足。"},
      {"flush", u"bmp", [&](auto& g) { g.flush_error = full; }, full_number,
       u"无法把文件写到磁盘上：磁盘空间不足。"},
      {"replace", u"jpg",
       [](auto& g) {
         g.move_error = FileError{5, u"拒绝访问。"};
       },
       u"-2147024891", u"无法用新文件替换原有的文件：拒绝访问。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    fake::FakePlatform fake{Picture(8, 8)};
    const std::u16string path = u"D:\\shots\\old.x";
    const std::vector<std::uint8_t> old{'o', 'l', 'd'};
    fake.gdiplus.files = {{path, old}};
    c.arrange(fake.gdiplus);

    EXPECT_FALSE(WriteImageFile(fake.platform, fake::NoisePicture(4, 3), path, c.extension,
                                EncoderSettings{}));

    EXPECT_EQ(fake.gdiplus.files,
              (std::map<std::u16string, std::vector<std::uint8_t>>{{path, old}}));
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text, ErrorText(c.number.c_str(), c.description));
    EXPECT_EQ(fake.window.pointer, Pointer::Default);
  }
}

}  // namespace
}  // namespace capture
