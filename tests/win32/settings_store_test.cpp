// capture.ini on the disk: a file too large to be read whole, and a value the system's code page
// lacks, are each said once and leave the file as it was.
#include "shell/settings_store.h"

#include <gtest/gtest.h>

#include "save_test_support.h"
#include "shell/win32_code_page.h"

namespace capture::win32 {
namespace {

std::string FileBytes(const std::u16string& path) {
  std::ifstream in(std::filesystem::path(Wide(path)), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::u16string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(Wide(path)), std::ios::binary) << bytes;
}

TEST(SettingsStoreTest, AFileOverOneMebibyteIsReportedOnceAndNeverRewritten) {
  for (const std::size_t size : {std::size_t{1} << 20, (std::size_t{1} << 20) + 1}) {
    const test::ScratchFolder folder;
    const std::u16string path = folder.path() + u"capture.ini";
    std::string file = "[save]\r\njpeg_quality = 70\r\n;";
    file.resize(size, 'x');
    WriteBytes(path, file);
    SettingsStore store(path);
    std::vector<std::u16string> told;
    store.on_not_remembered = [&told](const std::u16string& message) { told.push_back(message); };
    store.RememberSave(u"C:\\shots", u"png");
    const bool whole = size <= (std::size_t{1} << 20);
    EXPECT_EQ(store.settings().save.jpeg_quality, whole ? 70 : 80) << size;
    EXPECT_EQ(FileBytes(path) == file, !whole) << size;
    EXPECT_TRUE(told.empty());  // a file too large was said at the start, and only there
    const std::vector<std::u16string> too_large{
        u"capture.ini：文件超过 1 MiB，未读取，已使用默认值，也不会改写它。"};
    EXPECT_EQ(store.problems(), whole ? std::vector<std::u16string>{} : too_large) << size;
  }
}

TEST(SettingsStoreTest, AFolderTheCodePageLacksIsToldOnceAndTheFileKept) {
  if (::GetACP() != 1252) GTEST_SKIP() << "written for code page 1252, the test prefix's";
  const Win32CodePage ansi;
  EXPECT_EQ(ansi.Decode("caf\xE9"), u"café");
  EXPECT_EQ(ansi.Encode(u"café"), "caf\xE9");
  EXPECT_FALSE(ansi.Encode(u"截图"));
  EXPECT_FALSE(ansi.Encode(u"\u0100"));  // Ā, whose best fit would be A

  const test::ScratchFolder folder;
  const std::u16string path = folder.path() + u"capture.ini";
  const std::string file = "; caf\xE9\r\n[save]\r\nlast_format = bmp\r\n";
  WriteBytes(path, file);
  SettingsStore store(path);
  std::vector<std::u16string> told;
  store.on_not_remembered = [&told](const std::u16string& message) { told.push_back(message); };
  store.RememberSave(u"C:\\截图", u"png");
  store.RememberSave(u"C:\\截图", u"gif");
  EXPECT_EQ(FileBytes(path), file);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find(u"last_folder 的值“C:\\截图”"), std::u16string::npos);

  store.RememberSave(u"C:\\caf\u00E9", u"png");
  EXPECT_EQ(FileBytes(path),
            "; caf\xE9\r\n[save]\r\nlast_format = png\r\nlast_folder = C:\\caf\xE9\r\n");
}

}  // namespace
}  // namespace capture::win32
