#include "shell/win32_dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

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

TEST(Win32Dialogs, FolderOf_KeepsTheSeparatorOfADrivesRootOnly) {
  EXPECT_EQ(FolderOf(u"C:\\Program Files\\Capture\\capture.exe"), u"C:\\Program Files\\Capture");
  EXPECT_EQ(FolderOf(u"D:\\capture.exe"), u"D:\\");
  EXPECT_EQ(FolderOf(u"\\\\?\\D:\\capture.exe"), u"\\\\?\\D:\\");
  EXPECT_EQ(FolderOf(u"\\\\server\\share\\capture.exe"), u"\\\\server\\share");
}

}  // namespace
}  // namespace capture::win32
