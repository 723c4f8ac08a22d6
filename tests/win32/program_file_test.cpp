// capture.exe as shipped: the version resource carries the project's version and names.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "capture_version.h"

namespace {

std::wstring Wide(const char* text) {
  return {text, text + std::char_traits<char>::length(text)};
}

TEST(ProgramFileTest, VersionResourceCarriesTheProjectVersion) {
  const std::wstring path = Wide(CAPTURE_PROGRAM_PATH);
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource in " CAPTURE_PROGRAM_PATH;
  std::vector<char> data(size);
  ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, data.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const DWORD quad[] = {CAPTURE_VERSION_COMMAS};
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(quad[1], quad[0]));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(quad[3], quad[2]));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);

  auto text = [&data](const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT chars = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    if (!::VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &chars)) {
      return std::wstring(L"(missing)");
    }
    return std::wstring(value);
  };
  EXPECT_EQ(text(L"FileDescription"), L"截图");
  EXPECT_EQ(text(L"ProductName"), L"Capture");
  EXPECT_EQ(text(L"FileVersion"), Wide(CAPTURE_VERSION_QUAD));
  EXPECT_EQ(text(L"ProductVersion"), Wide(CAPTURE_VERSION));
  EXPECT_NE(text(L"LegalCopyright").find(L"The Capture authors"), std::wstring::npos);
}

}  // namespace
