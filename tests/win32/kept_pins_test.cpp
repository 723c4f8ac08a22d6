// Pins kept over a quit: the files written and read back by the real encoder and file system.
#include "shell/kept_pins.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "save_test_support.h"

namespace capture::win32 {
namespace {

struct Shown {
  Picture picture;
  pin::KeptPin place;
};

std::vector<std::u16string> Names(const test::ScratchFolder& folder) {
  std::vector<std::u16string> names;
  for (const auto& entry : std::filesystem::directory_iterator(test::StreamPath(folder.path()))) {
    names.push_back(Utf16(entry.path().filename().wstring()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every pin of a quit is written to a file of its own and comes back with its exact pixels and
// its place, oldest first, its file then gone: closing a restored pin removes it for good.
TEST(KeptPins, EachPinIsWrittenToItsOwnFileAndReadBackExactlyOnce) {
  const test::ScratchFolder folder;
  const std::vector<Shown> pins{{fake::NoisePicture(31, 17, 1), {{-1024, 5}, 150, 70}},
                                {fake::NoisePicture(64, 48, 2), {{300, 400}, 100, 100}},
                                {fake::NoisePicture(1, 1, 3), {{0, 0}, 10, 20}}};
  {
    PinKeeper first(folder.path());
    for (const Shown& pin : pins) EXPECT_TRUE(first.Keep(pin.picture, pin.place));
    EXPECT_TRUE(first.problems().empty());
  }
  PinKeeper second(folder.path());  // in the same second, by the same process: other names
  EXPECT_TRUE(second.Keep(pins[0].picture, pins[0].place));
  const std::vector<std::u16string> names = Names(folder);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(std::set(names.begin(), names.end()).size(), 4u);

  std::vector<Shown> shown;
  const auto problems =
      RestoreKeptPins(folder.path(), [&](const Picture& p, const pin::KeptPin& k) {
        shown.push_back({p, k});
        return true;
      });
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(shown.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(shown[i].picture, pins[i % 3].picture) << i;
    EXPECT_EQ(shown[i].place, pins[i % 3].place) << i;
  }
  EXPECT_TRUE(Names(folder).empty());
}

// A pin that could not be shown stays for the next start; a file cut short, or one that is no
// pin, is skipped and said, set aside under another name, and nothing else is lost.
TEST(KeptPins, ABadFileIsSkippedSaidAndSetAsideAndAPinNotShownWaits) {
  const test::ScratchFolder folder;
  PinKeeper keeper(folder.path());
  ASSERT_TRUE(keeper.Keep(fake::NoisePicture(40, 30, 4), {{10, 20}, 100, 100}));
  ASSERT_TRUE(keeper.Keep(fake::NoisePicture(40, 30, 5), {{30, 40}, 100, 100}));
  const std::u16string cut = Names(folder)[0];
  {
    std::vector<std::uint8_t> bytes = test::ReadFileBytes(folder.path() + cut);
    bytes.resize(bytes.size() / 2);
    std::ofstream out(test::StreamPath(folder.path() + cut), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  {
    std::ofstream other(test::StreamPath(folder.path() + u"pin-other.png"), std::ios::binary);
    other << "not a picture";
  }

  int shown = 0;
  auto problems = RestoreKeptPins(folder.path(), [&](const Picture&, const pin::KeptPin& k) {
    ++shown;
    EXPECT_EQ(k.top_left, (PointI{30, 40}));
    return false;  // say the window could not be made
  });
  EXPECT_EQ(shown, 1);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_EQ(problems[0],
            u"贴图文件 " + cut + u" 无法读取，已跳过（已改名为 无法恢复-" + cut + u"）");
  EXPECT_EQ(Names(folder).size(), 3u);

  problems = RestoreKeptPins(folder.path(), [&](const Picture& p, const pin::KeptPin&) {
    EXPECT_EQ(p, fake::NoisePicture(40, 30, 5));
    return true;
  });
  EXPECT_TRUE(problems.empty()) << "the bad files are not met again";
  const std::vector<std::u16string> left = Names(folder);
  EXPECT_EQ(left, (std::vector<std::u16string>{u"无法恢复-" + cut, u"无法恢复-pin-other.png"}));
}

TEST(KeptPins, AFolderThatCannotBeMadeIsSaidForEachPinAndLeavesNoFile) {
  const test::ScratchFolder folder;
  {
    std::ofstream file(test::StreamPath(folder.path() + u"pins"), std::ios::binary);
    file << "a file where the folder would be";
  }
  PinKeeper keeper(folder.path() + u"pins");
  EXPECT_FALSE(keeper.Keep(fake::NoisePicture(4, 4, 6), {}));
  EXPECT_FALSE(keeper.Keep(fake::NoisePicture(4, 4, 7), {}));
  ASSERT_EQ(keeper.problems().size(), 2u);
  EXPECT_TRUE(keeper.problems()[1].starts_with(u"贴图 2 无法保存："))
      << Wide(keeper.problems()[1]).size();
  EXPECT_EQ(Names(folder), (std::vector<std::u16string>{u"pins"}));
}

}  // namespace
}  // namespace capture::win32
