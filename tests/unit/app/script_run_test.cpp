#include "app/script_run.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/pixels.h"

namespace capture {
namespace {

// The streams as a script reads them, the scroll's answer set by the test.
class FakeScriptShell : public ScriptShell {
 public:
  explicit FakeScriptShell(fake::FakeGdiplus& files) : files_(files) {}
  void PrintLine(const std::u16string& text) override { out.push_back(text); }
  void PrintProblem(const std::u16string& text) override { err.push_back(text); }
  std::u16string StdoutFilePath() override { return stdout_file; }
  bool SendFileToStdout(const std::u16string& path) override {
    const auto file = files_.files.find(path);
    if (!stdout_takes || file == files_.files.end() || file->second.empty()) return false;
    stdout_bytes = file->second;
    return true;
  }
  ScrolledArea Scroll(const RectI& area) override {
    scrolled_areas.push_back(area);
    ScrolledArea scrolled;
    if (scrolled_picture) scrolled.picture = std::make_unique<RowsOfPicture>(*scrolled_picture);
    scrolled.unreadable = unreadable;
    scrolled.would_not_scroll = would_not_scroll;
    scrolled.refusal = refusal;
    return scrolled;
  }

  std::vector<std::u16string> out, err;
  std::u16string stdout_file = u"T:\\temp\\capture-stdout-7.png";
  bool stdout_takes = true;
  std::vector<std::uint8_t> stdout_bytes;
  // What the scroll brings back.
  std::optional<Picture> scrolled_picture;
  bool unreadable = false, would_not_scroll = false;
  std::optional<std::u16string> refusal;
  std::vector<RectI> scrolled_areas;

 private:
  fake::FakeGdiplus& files_;  // not owned
};

// A virtual screen of 320x200 whose top-left lies at (-100, 50) in the system's coordinates.
class ScriptRunTest : public ::testing::Test {
 protected:
  ScriptRunTest() {
    fake.saving.settings.quick.folder = u"Q:\\shots";
    fake.saving.settings.jpeg_quality = 65;
  }

  int Run(const ScriptRequest& request) {
    return RunScript(request, desktop,
                     {fake.window, fake.surface, screen, fake.clipboard, fake.gdiplus, fake.gdiplus,
                      fake.saving},
                     shell);
  }

  // The picture handed to the encoder or the clipboard is this part of the screen.
  Picture Part(const RectI& r) const { return CropPixels(PixelView::Of(shown), r); }

  static ScriptRequest Region(int x, int y, int w, int h) {
    ScriptRequest request;
    request.grab = Grab::Region;
    request.x = x;
    request.y = y;
    request.width = w;
    request.height = h;
    return request;
  }

  fake::FakePlatform fake{Picture()};
  const Picture shown = fake::NoisePicture(320, 200);
  fake::FakeScreen screen{shown};
  ScriptDesktop desktop{{-100, 50}, {}};
  FakeScriptShell shell{fake.gdiplus};
};

TEST_F(ScriptRunTest, RegionToAFile_IsThatPartOfTheScreenInTheFilesFormatAndQuality) {
  ScriptRequest request = Region(-90, 70, 40, 30);
  request.out = u"D:\\out\\a.JPG";

  EXPECT_EQ(Run(request), 0);

  ASSERT_EQ(fake.gdiplus.bitmaps.size(), 1u);
  EXPECT_EQ(fake.gdiplus.bitmaps[0], Part({10, 20, 50, 50}));
  ASSERT_EQ(fake.gdiplus.saves.size(), 1u);
  EXPECT_EQ(fake.gdiplus.saves[0].values, std::vector<std::int32_t>{65});
  EXPECT_TRUE(fake.gdiplus.files.contains(u"D:\\out\\a.JPG"));
  EXPECT_FALSE(fake.clipboard.content.has_value());
  EXPECT_TRUE(shell.out.empty());
  EXPECT_TRUE(shell.err.empty());
}

TEST_F(ScriptRunTest, ClipboardAndStdout_GetTheSamePictureAndTheStdoutFileGoes) {
  ScriptRequest request = Region(-100, 50, 320, 200);
  request.clipboard = true;
  request.out = u"-";

  EXPECT_EQ(Run(request), 0);

  EXPECT_EQ(fake.clipboard.content, shown);
  ASSERT_EQ(fake.gdiplus.saves.size(), 1u);
  EXPECT_EQ(fake.gdiplus.saves[0].values, std::vector<std::int32_t>{});  // PNG: no quality
  EXPECT_FALSE(shell.stdout_bytes.empty());
  EXPECT_TRUE(fake.gdiplus.files.empty());  // the temporary file taken away once sent
  EXPECT_TRUE(shell.out.empty());
}

// No destination: a quick save under the pattern, in the next free name when the first is taken,
// and its path on stdout. With only --clipboard there is no file.
TEST_F(ScriptRunTest, NoDestination_QuickSavesAndPrintsThePath) {
  fake.gdiplus.files[u"Q:\\shots\\截图 2026-03-07 090504.png"] = {1};

  EXPECT_EQ(Run(ScriptRequest{}), 0);

  const std::u16string saved = u"Q:\\shots\\截图 2026-03-07 090504 (2).png";
  EXPECT_EQ(shell.out, std::vector<std::u16string>{saved});
  EXPECT_EQ(fake.saving.quick_saved, std::vector<std::u16string>{saved});
  EXPECT_TRUE(fake.gdiplus.files.contains(saved));
  EXPECT_EQ(fake.gdiplus.bitmaps.at(0), shown);
  EXPECT_FALSE(fake.clipboard.content.has_value());

  ScriptRequest clipboard_only;
  clipboard_only.clipboard = true;
  EXPECT_EQ(Run(clipboard_only), 0);
  EXPECT_EQ(fake.gdiplus.saves.size(), 1u);
  EXPECT_EQ(fake.clipboard.content, shown);
}

struct FailureCase {
  const char* name;
  void (*arrange)(fake::FakePlatform&, FakeScriptShell&, ScriptRequest&);
  int status;
  std::u16string problem;  // the start of the line on stderr
  bool file_written;       // the file named by --out, when one is
};

class ScriptRunFailure : public ScriptRunTest, public testing::WithParamInterface<FailureCase> {};

// Every failure is its status and a line on stderr; the other destinations still get the picture.
TEST_P(ScriptRunFailure, HasItsStatusAndOneLineOnStderr) {
  ScriptRequest request = Region(-100, 50, 100, 100);
  request.out = u"D:\\a.png";
  GetParam().arrange(fake, shell, request);

  EXPECT_EQ(Run(request), GetParam().status);

  ASSERT_EQ(shell.err.size(), 1u);
  EXPECT_TRUE(shell.err[0].starts_with(GetParam().problem)) << GetParam().name;
  EXPECT_EQ(shell.err[0].find_first_of(u"\r\n") != std::u16string::npos,
            GetParam().status == kUsageStatus);  // only the usage is more than a line
  EXPECT_EQ(fake.gdiplus.files.contains(u"D:\\a.png"), GetParam().file_written);
  EXPECT_FALSE(fake.gdiplus.files.contains(shell.stdout_file));
  EXPECT_TRUE(shell.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptRunFailure,
    testing::Values(FailureCase{"clipboard refuses",
                                [](fake::FakePlatform& f, FakeScriptShell&, ScriptRequest& r) {
                                  f.clipboard.put_succeeds = false;
                                  r.clipboard = true;
                                },
                                kNotWrittenStatus, u"无法复制到剪贴板", true},
                    FailureCase{"the file cannot be written",
                                [](fake::FakePlatform& f, FakeScriptShell&, ScriptRequest& r) {
                                  f.gdiplus.save_status = gp_status::kAccessDenied;
                                  r.clipboard = true;
                                },
                                kNotWrittenStatus, u"在保存", false},
                    FailureCase{"no temporary folder for stdout",
                                [](fake::FakePlatform&, FakeScriptShell& s, ScriptRequest& r) {
                                  s.stdout_file.clear();
                                  r.out = u"-";
                                },
                                kNotWrittenStatus, u"无法写入标准输出", false},
                    FailureCase{"stdout refuses",
                                [](fake::FakePlatform&, FakeScriptShell& s, ScriptRequest& r) {
                                  s.stdout_takes = false;
                                  r.out = u"-";
                                },
                                kNotWrittenStatus, u"无法写入标准输出", false},
                    FailureCase{"the quick-save folder cannot be made",
                                [](fake::FakePlatform& f, FakeScriptShell&, ScriptRequest& r) {
                                  f.gdiplus.make_folder_error = FileError{5, u"拒绝访问。"};
                                  r.out.reset();
                                },
                                kNotWrittenStatus, u"在保存", false},
                    FailureCase{
                        "the area lies off the screen",
                        [](fake::FakePlatform&, FakeScriptShell&, ScriptRequest& r) { r.x = 5000; },
                        kUsageStatus, u"区域不在屏幕上", false}),
    [](const testing::TestParamInfo<FailureCase>& failure) {
      std::string name = failure.param.name;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

class UnreadableScreen : public fake::FakeScreen {
 public:
  UnreadableScreen() : FakeScreen(Picture(320, 200)) {}
  Picture Grab() override { return {}; }
};

TEST_F(ScriptRunTest, UnreadableScreen_IsStatus3AndWritesNothing) {
  UnreadableScreen unreadable;
  ScriptRequest request;
  request.out = u"D:\\a.png";

  EXPECT_EQ(RunScript(request, desktop,
                      {fake.window, fake.surface, unreadable, fake.clipboard, fake.gdiplus,
                       fake.gdiplus, fake.saving},
                      shell),
            kScreenUnreadableStatus);

  EXPECT_EQ(shell.err, std::vector<std::u16string>{u"无法读取屏幕"});
  EXPECT_TRUE(fake.gdiplus.files.empty());
}

struct ScrollCase {
  bool unreadable;
  bool refused;
  bool file_fails;
  int status;
  std::vector<std::u16string> err;
  bool would_not_scroll = false;
};

class ScrollRun : public ScriptRunTest, public testing::WithParamInterface<ScrollCase> {};

// The area is scrolled where the system has it; the picture so far is delivered however the
// scroll ended, and a failure of the delivery wins over the scroll's.
TEST_P(ScrollRun, DeliversThePictureSoFarAndSaysHowTheScrollEnded) {
  const ScrollCase c = GetParam();
  ScriptRequest request = Region(-90, 70, 40, 30);
  request.scroll = true;
  request.out = u"D:\\tall.png";
  shell.scrolled_picture = fake::NoisePicture(40, 90, 3);
  shell.unreadable = c.unreadable;
  shell.would_not_scroll = c.would_not_scroll;
  if (c.refused) shell.refusal = u"无法拼接";
  if (c.file_fails) fake.gdiplus.save_status = gp_status::kAccessDenied;

  EXPECT_EQ(Run(request), c.status);

  EXPECT_EQ(shell.scrolled_areas, (std::vector<RectI>{{-90, 70, -50, 100}}));
  ASSERT_EQ(fake.gdiplus.bitmaps.size(), 1u);
  EXPECT_EQ(fake.gdiplus.bitmaps[0], *shell.scrolled_picture);
  ASSERT_EQ(shell.err.size(), c.err.size() + (c.file_fails ? 1 : 0));
  for (std::size_t i = 0; i < c.err.size(); ++i) {
    EXPECT_EQ(shell.err[shell.err.size() - c.err.size() + i], c.err[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrollRun,
    testing::Values(
        ScrollCase{false, false, false, 0, {}},
        ScrollCase{
            true, false, false, kScreenUnreadableStatus, {u"无法读取屏幕，已写入读到的部分"}},
        ScrollCase{false, true, false, kStoppedEarlyStatus, {u"无法拼接"}},
        ScrollCase{false, true, true, kNotWrittenStatus, {u"无法拼接"}},
        ScrollCase{false,
                   false,
                   false,
                   kStoppedEarlyStatus,
                   {u"窗口不接受滚动，未到底部，已写入截取到的部分"},
                   true}));

TEST_F(ScriptRunTest, ScrollThatReadsNothing_IsStatus3AndWritesNothing) {
  ScriptRequest request = Region(-90, 70, 40, 30);
  request.scroll = true;
  request.out = u"D:\\tall.png";

  EXPECT_EQ(Run(request), kScreenUnreadableStatus);

  EXPECT_EQ(shell.err, std::vector<std::u16string>{u"无法读取屏幕"});
  EXPECT_TRUE(fake.gdiplus.files.empty());
}

}  // namespace
}  // namespace capture
