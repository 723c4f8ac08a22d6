#include "output/save_as.h"

#include <gtest/gtest.h>

#include "output/save_dialog.h"
#include "platform/fake/fake_platform.h"

namespace capture {
namespace {

using namespace std::string_literals;

class SaveAsTest : public ::testing::Test {
 protected:
  SaveAsTest() { fake.clipboard.PutBitmap(selection); }

  fake::FakePlatform fake{Picture(64, 48)};
  Picture selection = fake::NoisePicture(20, 10);
};

TEST_F(SaveAsTest, Dialog_IsAskedForExactlyTheSaveAsRequest) {
  fake.dialogs.program_folder = u"D:\\工具\\Capture";

  EXPECT_FALSE(SaveAs(fake.platform, selection));

  ASSERT_EQ(fake.dialogs.save_requests.size(), 1u);
  const SaveDialogRequest& r = fake.dialogs.save_requests[0];
  EXPECT_EQ(r.title, u"保存为");
  EXPECT_EQ(r.filter,
            u"PNG文件(*.PNG)\0*.PNG\0JPEG文件(*.jpg;*.jpeg)\0*.jpg\0位图文件(*.bmp)\0*.bmp\0"
            u"GIF文件(*.gif)\0*.gif\0TIFF文件(*.TIFF)\0*.tiff\0所有文件(*.*)\0*.*\0\0"s);
  EXPECT_EQ(r.filter_index, 1);
  EXPECT_EQ(r.initial_dir, u"D:\\工具\\Capture");
  EXPECT_EQ(r.default_ext, u"PNG");
  EXPECT_EQ(r.file, u"");
  EXPECT_EQ(r.flags, 0u);
  EXPECT_EQ(r.max_path, 32768u);
}

TEST_F(SaveAsTest, Cancel_WritesNothingAndKeepsTheClipboard) {
  fake.dialogs.save_answer.reset();

  EXPECT_FALSE(SaveAs(fake.platform, selection));

  EXPECT_EQ(fake.clipboard.content, selection);
  EXPECT_EQ(fake.clipboard.empties, 0);
  EXPECT_TRUE(fake.gdiplus.calls.empty());
  EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(SaveAsTest, WrittenFile_HoldsThePictureAndEmptiesTheClipboardThatStillHoldsIt) {
  fake.dialogs.save_answer = u"C:\\shots\\a.JPG";

  EXPECT_TRUE(SaveAs(fake.platform, selection));

  ASSERT_EQ(fake.gdiplus.bitmaps.size(), 1u);
  EXPECT_EQ(fake.gdiplus.bitmaps[0], selection);
  ASSERT_EQ(fake.gdiplus.saves.size(), 1u);
  EXPECT_EQ(fake.gdiplus.saves[0].values, std::vector<std::int32_t>{80});
  EXPECT_TRUE(fake.gdiplus.files.contains(u"C:\\shots\\a.JPG"));
  EXPECT_FALSE(fake.clipboard.content.has_value());
  EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(SaveAsTest, FailedSave_KeepsTheSelectionOnTheClipboard) {
  fake.dialogs.save_answer = u"Z:\\missing\\a.png";
  fake.gdiplus.save_status = gp_status::kGenericError;

  EXPECT_FALSE(SaveAs(fake.platform, selection));

  EXPECT_EQ(fake.dialogs.messages.size(), 1u);
  EXPECT_EQ(fake.clipboard.content, selection);
  EXPECT_EQ(fake.clipboard.empties, 0);
}

TEST_F(SaveAsTest, DotOnlyInAFolderName_TakesTheRestOfThePathAndIsRefused) {
  fake.dialogs.save_answer = u"C:\\a.b\\c";

  EXPECT_FALSE(SaveAs(fake.platform, selection));

  ASSERT_EQ(fake.dialogs.messages.size(), 1u);
  EXPECT_NE(fake.dialogs.messages[0].text.find(u"错误号: 9\r\n"), std::u16string::npos);
  EXPECT_TRUE(fake.gdiplus.files.empty());
  EXPECT_EQ(fake.clipboard.content, selection);
}

// A pin's save: the same dialog and file, and the clipboard (holding a copy of the same pixels,
// made with Ctrl+C on the pin) is none of its business.
TEST_F(SaveAsTest, SaveToChosenFile_WritesThePictureAndLeavesTheClipboard) {
  fake.dialogs.save_answer = u"C:\\shots\\pin.png";

  EXPECT_TRUE(SaveToChosenFile(fake.platform, selection));

  EXPECT_EQ(fake.dialogs.save_requests.size(), 1u);
  EXPECT_TRUE(fake.gdiplus.files.contains(u"C:\\shots\\pin.png"));
  EXPECT_EQ(fake.clipboard.content, selection);
  EXPECT_EQ(fake.clipboard.empties, 0);
}

TEST(FolderOfTest, KeepsTheSeparatorOfADrivesRootOnly) {
  EXPECT_EQ(FolderOf(u"C:\\Program Files\\Capture\\capture.exe"), u"C:\\Program Files\\Capture");
  EXPECT_EQ(FolderOf(u"D:\\capture.exe"), u"D:\\");
  EXPECT_EQ(FolderOf(u"\\\\?\\D:\\capture.exe"), u"\\\\?\\D:\\");
  EXPECT_EQ(FolderOf(u"\\\\server\\share\\capture.exe"), u"\\\\server\\share");
}

TEST(ExtensionOfTest, IsTheTextAfterTheLastDotAnywhereInThePath) {
  EXPECT_EQ(ExtensionOf(u"C:\\shots\\a.png"), u"png");
  EXPECT_EQ(ExtensionOf(u"C:\\shots\\a.tar.Png"), u"Png");
  EXPECT_EQ(ExtensionOf(u"C:\\a.b\\c"), u"b\\c");
  EXPECT_EQ(ExtensionOf(u"C:\\shots\\noext"), u"C:\\shots\\noext");
  EXPECT_EQ(ExtensionOf(u"C:\\shots\\a."), u"");
}

}  // namespace
}  // namespace capture

namespace capture {
namespace {

TEST(SaveAsMemory, TheDialogOpensWhereTheLastSaveWentWithItsFormatAndASaveIsRemembered) {
  fake::FakePlatform fake{Picture(64, 48)};
  const Picture selection = fake::NoisePicture(20, 10);
  fake.saving.settings.last_folder = u"E:\\图片";
  fake.saving.settings.last_format = u"gif";
  fake.dialogs.save_answer = u"F:\\新\\b.Tif";

  EXPECT_TRUE(SaveAs(fake.platform, selection));

  ASSERT_EQ(fake.dialogs.save_requests.size(), 1u);
  EXPECT_EQ(fake.dialogs.save_requests[0].initial_dir, u"E:\\图片");
  EXPECT_EQ(fake.dialogs.save_requests[0].filter_index, 4);
  EXPECT_EQ(fake.saving.settings.last_folder, u"F:\\新");
  EXPECT_EQ(fake.saving.settings.last_format, u"tif");

  // The next one opens there with TIFF's filter; one that writes nothing is not remembered.
  fake.dialogs.save_answer = u"G:\\c.webp";
  EXPECT_FALSE(SaveAs(fake.platform, selection));
  EXPECT_EQ(fake.dialogs.save_requests[1].initial_dir, u"F:\\新");
  EXPECT_EQ(fake.dialogs.save_requests[1].filter_index, 5);
  EXPECT_EQ(fake.saving.remembered, 1);
}

}  // namespace
}  // namespace capture
