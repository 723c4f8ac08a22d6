#include "output/file_name.h"

#include <gtest/gtest.h>

#include <set>

namespace capture {
namespace {

constexpr LocalTime kTime{2026, 3, 7, 9, 5, 4};

TEST(FileNameTest, ExpandsEveryFieldZeroPaddedAndKeepsOtherText) {
  EXPECT_EQ(ExpandPattern(u"{yyyy}{MM}{dd}{HH}{mm}{ss}-{n}", kTime, 12), u"20260307090504-12");
  EXPECT_EQ(ExpandPattern(u"截图 {yyyy}-{MM}-{dd} {HH}{mm}{ss}", kTime, 1),
            u"截图 2026-03-07 090504");
  EXPECT_EQ(ExpandPattern(u"{YYYY}{m}{ss", kTime, 1), u"{YYYY}{m}{ss");
}

TEST(FileNameTest, ANameThatExistsGetsTheNextNumber) {
  std::set<std::u16string> existing;
  const auto exists = [&](const std::u16string& path) { return existing.contains(path); };
  QuickSave save;
  save.folder = u"C:\\Users\\李\\Pictures\\Screenshots";
  const std::u16string first = save.folder + u"\\截图 2026-03-07 090504.png";
  EXPECT_EQ(FreeFileName(save, kTime, exists), first);
  existing.insert(first);
  EXPECT_EQ(FreeFileName(save, kTime, exists), save.folder + u"\\截图 2026-03-07 090504 (2).png");
  existing.insert(save.folder + u"\\截图 2026-03-07 090504 (2).png");
  EXPECT_EQ(FreeFileName(save, kTime, exists), save.folder + u"\\截图 2026-03-07 090504 (3).png");

  // With a counter in the pattern, the counter moves on instead.
  save.pattern = u"shot-{n}";
  save.extension = u"bmp";
  existing = {save.folder + u"\\shot-1.bmp", save.folder + u"\\shot-2.bmp"};
  EXPECT_EQ(FreeFileName(save, kTime, exists), save.folder + u"\\shot-3.bmp");
}

// A folder where every name answers "taken" (a pattern cut short by the system, a share that
// says yes to everything) ends the search instead of hanging the save.
TEST(FileNameTest, TheSearchEndsAfterTenThousandNamesAndSkipsDeviceNames) {
  for (const char16_t* pattern : {u"shot", u"shot-{n}"}) {
    QuickSave save{u"D:\\s", pattern, u"png"};
    int asked = 0;
    EXPECT_EQ(FreeFileName(save, kTime, [&](const std::u16string&) { return ++asked > 0; }),
              std::nullopt);
    EXPECT_EQ(asked, 10000);
  }
  // COM1 to COM9 are devices, whatever follows the dot.
  const QuickSave devices{u"D:\\s", u"Com{n}", u"png"};
  EXPECT_EQ(FreeFileName(devices, kTime, [](const std::u16string&) { return false; }),
            u"D:\\s\\Com10.png");
}

}  // namespace
}  // namespace capture
