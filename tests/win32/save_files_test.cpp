// Where the file goes: failures reported, existing files replaced, any name and any length.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "output/image_file.h"
#include "save_test_support.h"
#include "test_support.h"

namespace capture::win32 {
namespace {

class SaveFilesTest : public ::testing::Test {
 protected:
  bool Save(const std::u16string& path, const std::u16string& extension) {
    return WriteImageFile(host.platform, picture, path, extension, EncoderSettings{});
  }

  test::ScratchFolder folder;
  test::GdiplusPlatform host;
  Picture picture = fake::NoisePicture(31, 17, 9);
};

TEST_F(SaveFilesTest, MissingFolder_ShowsTheErrorBoxAndWritesNothing) {
  for (const char16_t* extension : {u"png", u"jpg", u"gif", u"tiff", u"bmp"}) {
    host.dialogs.messages.clear();
    const std::u16string path = folder.path() + u"missing\\a." + extension;

    EXPECT_FALSE(Save(path, extension));

    ASSERT_EQ(host.dialogs.messages.size(), 1u);
    EXPECT_EQ(host.dialogs.messages[0].title, u"错误");
    EXPECT_TRUE(
        host.dialogs.messages[0].text.starts_with(u"在保存图片的过程中发生错误:\r\n\r\n错误号: "));
    EXPECT_FALSE(test::FileExists(path));
    EXPECT_EQ(host.window.pointer, Pointer::Default);
  }
}

TEST_F(SaveFilesTest, ExistingFile_IsReplacedWithoutAQuestionKeepingItsAttributes) {
  for (const char16_t* extension : {u"png", u"bmp"}) {
    const std::u16string path = folder.path() + u"old." + extension;
    {
      std::ofstream old(test::StreamPath(path), std::ios::binary);
      old << std::string(200000, 'x');
    }
    const std::wstring name = Wide(path);
    ASSERT_TRUE(::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_HIDDEN));

    EXPECT_TRUE(Save(path, extension));

    EXPECT_EQ(::GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
    const auto bytes = test::ReadFileBytes(path);
    EXPECT_LT(bytes.size(), 200000u);
    EXPECT_TRUE(test::StartsWith(bytes, extension == std::u16string(u"png") ? "\x89PNG" : "BM"));
  }
  EXPECT_TRUE(host.dialogs.messages.empty());
  const std::filesystem::directory_iterator listing(test::StreamPath(folder.path()));
  EXPECT_EQ(std::distance(begin(listing), end(listing)), 2) << "a temporary file was left";
}

TEST_F(SaveFilesTest, FolderOfThatName_IsLeftAsItWasAndTheSaveFails) {
  const std::u16string path = folder.path() + u"a folder.png";
  ASSERT_TRUE(::CreateDirectoryW(Wide(path).c_str(), nullptr));
  std::ofstream(test::StreamPath(path + u"\\inside.txt")) << "kept";

  EXPECT_FALSE(Save(path, u"png"));

  ASSERT_EQ(host.dialogs.messages.size(), 1u);
  EXPECT_TRUE(test::FileExists(path + u"\\inside.txt"));
  const std::filesystem::directory_iterator listing(test::StreamPath(folder.path()));
  EXPECT_EQ(std::distance(begin(listing), end(listing)), 1) << "a file was left beside it";
}

TEST_F(SaveFilesTest, ChineseFileName_IsSavedUnderThatName) {
  for (const char16_t* extension : {u"png", u"bmp", u"gif"}) {
    const std::u16string path = folder.path() + u"截图 二〇二六." + extension;

    EXPECT_TRUE(Save(path, extension));

    EXPECT_TRUE(test::FileExists(path));
    EXPECT_GT(test::ReadFileBytes(path).size(), 30u);
  }
  const std::optional<Picture> bmp = test::LoadBmp(Wide(folder.path() + u"截图 二〇二六.bmp"));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(*bmp, picture);
}

// Four nested folders of 70 characters each in the scratch folder; their path, ending in "\".
std::u16string MakeLongFolder(const test::ScratchFolder& folder) {
  std::u16string dir = folder.path();
  for (int i = 0; i < 4; ++i) {
    dir += std::u16string(70, static_cast<char16_t>(u'a' + i)) + u"\\";
    ::CreateDirectoryW(Wide(ExtendedLengthPath(dir)).c_str(), nullptr);
  }
  return dir;
}

TEST_F(SaveFilesTest, PathLongerThanMaxPath_IsSaved) {
  const std::u16string dir = MakeLongFolder(folder);
  ASSERT_GT(dir.size(), 300u);

  for (const char16_t* extension : {u"png", u"bmp"}) {
    const std::u16string path = dir + u"long." + extension;

    EXPECT_TRUE(Save(path, extension));

    EXPECT_TRUE(test::FileExists(ExtendedLengthPath(path)));
  }
  EXPECT_TRUE(host.dialogs.messages.empty());
}

TEST_F(SaveFilesTest, LongPathWithDotsSlashesOrRelative_IsSavedWhereItLeads) {
  const std::u16string dir = MakeLongFolder(folder);
  ::CreateDirectoryW(Wide(ExtendedLengthPath(dir + u"sub")).c_str(), nullptr);
  std::u16string slashed = dir;
  std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
  const std::u16string relative = dir.substr(folder.path().size());
  std::vector<wchar_t> cwd(32768);
  cwd.resize(::GetCurrentDirectoryW(static_cast<DWORD>(cwd.size()), cwd.data()));
  ASSERT_TRUE(::SetCurrentDirectoryW(Wide(folder.path()).c_str()));
  const struct {
    const char* name;
    std::u16string given, lands;
  } cases[] = {
      {"dots", dir + u"sub\\..\\dots.png", dir + u"dots.png"},
      {"slashes", slashed + u"slashes.bmp", dir + u"slashes.bmp"},
      {"relative", relative + u"relative.png", dir + u"relative.png"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(Save(c.given, c.given.substr(c.given.size() - 3)));
    EXPECT_TRUE(test::FileExists(ExtendedLengthPath(c.lands)));
  }
  ::SetCurrentDirectoryW(std::wstring(cwd.begin(), cwd.end()).c_str());
  EXPECT_TRUE(host.dialogs.messages.empty());
}

}  // namespace
}  // namespace capture::win32

namespace capture::win32 {
namespace {

TEST(Win32FilesFolders, MakeFolders_MakesEveryMissingLevelAndRefusesWhereAFileStands) {
  test::ScratchFolder folder;
  Win32Files files;
  const std::u16string deep = folder.path() + u"截图\\a\\b";

  EXPECT_FALSE(files.MakeFolders(deep));
  EXPECT_FALSE(files.MakeFolders(deep + u"\\"));  // there already: fine
  EXPECT_TRUE(files.Exists(deep));
  EXPECT_EQ(::GetFileAttributesW(Wide(deep).c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

  std::ofstream(test::StreamPath(folder.path() + u"file")) << "x";
  const FileResult error = files.MakeFolders(folder.path() + u"file\\below");
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->code, 0u);
  EXPECT_FALSE(files.Exists(folder.path() + u"file\\below"));
}

}  // namespace
}  // namespace capture::win32
