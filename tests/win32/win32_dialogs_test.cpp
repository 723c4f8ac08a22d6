#include "shell/win32_dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types they use.
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <thread>

#include "shell/text.h"

namespace capture::win32 {
namespace {

TEST(Win32Dialogs, ProgramFolder_IsTheFolderThatHoldsTheRunningProgram) {
  Win32Dialogs dialogs;

  const std::wstring folder = Wide(dialogs.ProgramFolder());

  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), L'\\');
  EXPECT_NE(::GetFileAttributesW((folder + L"\\win32_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Answers the save dialog titled `title` with `path` as a user would, once it shows.
std::jthread AnswerSaveDialog(std::wstring title, std::wstring path) {
  return std::jthread([title = std::move(title), path = std::move(path)] {
    HWND dialog = nullptr;
    for (int i = 0; i < 1000 && !dialog; ++i) {
      dialog = ::FindWindowW(nullptr, title.c_str());
      if (!dialog) ::Sleep(10);
    }
    if (!dialog) return;
    ::SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
}

TEST(Win32Dialogs, AskSavePath_LeavesTheCurrentFolderWhereItWas) {
  // A resident program that kept the last save folder as its current one would keep it open.
  wchar_t temp[MAX_PATH]{};
  ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring folder = std::wstring(temp) + L"capture-dialog-folder";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  wchar_t before[MAX_PATH]{};
  ::GetCurrentDirectoryW(MAX_PATH, before);
  Win32Dialogs dialogs;
  SaveDialogRequest request;
  request.title = u"当前文件夹测试";
  request.initial_dir = Utf16(folder);  // the dialog browses into it

  const auto answer = AnswerSaveDialog(Wide(request.title), L"shot.png");
  const std::optional<std::u16string> path = dialogs.AskSavePath(request);

  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(Wide(*path), folder + L"\\shot.png");
  wchar_t after[MAX_PATH]{};
  ::GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_STREQ(after, before);
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace capture::win32
