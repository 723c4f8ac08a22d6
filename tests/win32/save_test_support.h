// Shared by the file-saving adapter tests: a scratch folder, a platform whose only real part is
// GDI+, and reading saved files back.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "shell/gdiplus_flat.h"
#include "shell/text.h"
#include "shell/win32_files.h"

namespace capture::win32::test {

// True under Wine, whose ntdll exports its version.
inline bool UnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A fresh folder for one test, removed with everything in it at the end. Under Wine it lies
// under Z:\tmp, so Unix tools can read it at /tmp/...
class ScratchFolder {
 public:
  ScratchFolder() {
    std::wstring base;
    if (UnderWine()) {
      base = L"Z:\\tmp\\";
    } else {
      wchar_t temp[MAX_PATH + 1] = {};
      ::GetTempPathW(MAX_PATH + 1, temp);
      base = temp;
    }
    path_ = base + L"capture-save-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(counter_++);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() { RemoveTree(path_); }

  // The folder's path with a trailing backslash.
  std::u16string path() const { return Utf16(path_ + L"\\"); }
  // The folder as Unix tools see it (Wine only).
  std::string unix_path() const {
    std::string unix;
    for (std::size_t i = 2; i < path_.size(); ++i) {
      unix += path_[i] == L'\\' ? '/' : static_cast<char>(path_[i]);
    }
    return unix;
  }

 private:
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring child = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(child);
        } else {
          ::DeleteFileW(child.c_str());
        }
      } while (::FindNextFileW(find, &found));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
  }

  static inline int counter_ = 0;
  std::wstring path_;
};

// Everything fake except GDI+ and the file writer.
struct GdiplusPlatform {
  fake::FakeWindow window;
  fake::FakeSurface surface;
  fake::FakeScreen screen{Picture(4, 4)};
  fake::FakeClipboard clipboard;
  fake::FakeDialogs dialogs;
  GdiplusFlat gdiplus;
  Win32Files files;
  fake::FakeSaveMemory saving;
  Platform platform{window, surface, screen, clipboard, dialogs, gdiplus, files, saving};
};

inline bool FileExists(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A path the standard streams open as UTF-16.
inline std::filesystem::path StreamPath(const std::u16string& path) {
  return std::filesystem::path(Wide(path));
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::u16string& path) {
  std::ifstream in(StreamPath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool StartsWith(const std::vector<std::uint8_t>& bytes, std::string_view magic) {
  return bytes.size() >= magic.size() &&
         std::equal(magic.begin(), magic.end(), bytes.begin(),
                    [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

// Runs a shell command line as a Unix program in the folder (Wine's `start /unix`) and returns
// its output lines; nothing when not under Wine or when `tool` is not in /usr/bin.
inline std::optional<std::vector<std::string>> RunUnixCommand(const ScratchFolder& folder,
                                                              const std::string& tool,
                                                              const std::string& command) {
  const std::wstring tool_path = L"Z:\\usr\\bin\\" + std::wstring(tool.begin(), tool.end());
  if (!UnderWine() || ::GetFileAttributesW(tool_path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return std::nullopt;
  }
  const std::string dir = folder.unix_path();
  static int runs = 0;
  const std::u16string name = u"run-" + Utf16(std::to_wstring(++runs));
  const std::string unix_name(name.begin(), name.end());
  {
    std::ofstream script(StreamPath(folder.path() + name + u".sh"), std::ios::binary);
    script << "cd '" << dir << "' || exit 1\n{ " << command << "\n} > '" << unix_name
           << ".part' 2>&1\nmv '" << unix_name << ".part' '" << unix_name << ".out'\n";
  }
  // start returns at once (its /wait does not wait for Unix programs): the output file appears
  // when the command is done.
  std::system(("start /unix /bin/sh " + dir + "/" + unix_name + ".sh").c_str());
  const std::u16string result = folder.path() + name + u".out";
  for (int waited = 0; waited < 1200 && !FileExists(result); ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::ifstream in(StreamPath(result));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace capture::win32::test
