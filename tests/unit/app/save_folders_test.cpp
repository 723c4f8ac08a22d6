#include "app/save_folders.h"

#include <gtest/gtest.h>

#include <map>

namespace capture {
namespace {

SystemFolders System() {
  return {[](std::u16string_view name) -> std::optional<std::u16string> {
            static const std::map<std::u16string, std::u16string, std::less<>> kSet{
                {u"USERPROFILE", u"C:\\Users\\李"},
                {u"SHARE", u"\\\\nas\\图"},
                {u"EMPTY", u""},
                {u"RELATIVE", u"shots"}};
            const auto found = kSet.find(name);
            if (found == kSet.end()) return std::nullopt;
            return found->second;
          },
          u"D:\\我的图片"};
}

TEST(SaveFoldersTest, VariablesExpandAndOnlyAFullPathIsAFolder) {
  const SystemFolders system = System();
  struct Case {
    std::u16string_view written;
    std::optional<std::u16string> folder;
  };
  for (const Case& c : std::initializer_list<Case>{
           {u"%USERPROFILE%\\Pictures", u"C:\\Users\\李\\Pictures"},
           {u"%USERPROFILE%\\a %SHARE% b", u"C:\\Users\\李\\a \\\\nas\\图 b"},
           {u"%SHARE%\\x", u"\\\\nas\\图\\x"},
           {u"e:/shots", u"e:/shots"},
           {u"D:\\50% off\\a:b%c", u"D:\\50% off\\a:b%c"},  // no variable: kept as written
           {u"D:\\100%", u"D:\\100%"},
           {u"D:\\%%\\x", u"D:\\%%\\x"},
           {u"%APPDATA%\\Capture", std::nullopt},  // not set
           {u"%EMPTY%\\Pictures", std::nullopt},   // "\Pictures": the current drive's
           {u"%RELATIVE%\\x", std::nullopt},
           {u"shots", std::nullopt},
           {u"\\shots", std::nullopt},
           {u"C:shots", std::nullopt},
       }) {
    EXPECT_EQ(ExpandedFolder(c.written, system), c.folder)
        << std::string(c.written.begin(), c.written.end());
  }
}

TEST(SaveFoldersTest, TheDefaultIsInThePicturesFolderAndABadFolderIsReportedAndReplaced) {
  SaveSettings written;
  SaveFolders folders = ResolveSaveFolders(written, System());
  EXPECT_EQ(folders.quick, u"D:\\我的图片\\Screenshots");
  EXPECT_EQ(folders.last, u"");
  EXPECT_TRUE(folders.problems.empty());

  written.quick.folder = u"%USERPROFILE%\\Pictures\\Screenshots";
  written.last_folder = u"%SHARE%";
  folders = ResolveSaveFolders(written, System());
  EXPECT_EQ(folders.quick, u"C:\\Users\\李\\Pictures\\Screenshots");
  EXPECT_EQ(folders.last, u"\\\\nas\\图");

  written.quick.folder = u"%HOMEDRIVE%\\Screenshots";
  written.last_folder = u"图片";
  folders = ResolveSaveFolders(written, System());
  EXPECT_EQ(folders.quick, u"D:\\我的图片\\Screenshots");
  EXPECT_EQ(folders.last, u"");
  EXPECT_EQ(folders.problems,
            (std::vector<std::u16string>{
                u"capture.ini：[quick_save] folder 的值“%HOMEDRIVE%\\Screenshots”无效（应为完整的"
                u"文件夹路径），已使用默认值。",
                u"capture.ini：[save] last_folder "
                u"的值“图片”无效（应为完整的文件夹路径），已使用默认值。"}));
}

}  // namespace
}  // namespace capture
