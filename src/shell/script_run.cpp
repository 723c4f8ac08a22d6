#include "shell/script_run.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "app/file_name.h"
#include "app/script_area.h"
#include "output/image_file.h"
#include "output/save_dialog.h"
#include "platform/platform.h"
#include "shell/console_output.h"
#include "shell/desktop_elements.h"
#include "shell/gdiplus_flat.h"
#include "shell/handles.h"
#include "shell/text.h"
#include "shell/win32_clipboard.h"
#include "shell/win32_files.h"
#include "shell/win32_screen.h"
#include "shell/win32_surface.h"

namespace capture::win32 {
namespace {

// The window a save expects, for a run that shows none: no pointer to change, nothing to pump.
class NoWindow : public Window {
 public:
  void SetPointer(Pointer) override {}
  void Close() override {}
  void PumpEvents() override {}
  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
  void FocusTextBox() override {}
  bool FontSizeListDropped() override { return false; }
  void ShowFontSizeList(bool) override {}
  SizeI DragDistance() override { return {}; }
  void MovePointer(PointI) override {}
};

// Dialogs that show nothing: a save's "错误" box becomes a line on stderr.
class StderrDialogs : public Dialogs {
 public:
  std::optional<std::u16string> AskSavePath(const SaveDialogRequest&) override {
    return std::nullopt;
  }
  void ShowMessage(const std::u16string&, const std::u16string& text) override {
    std::wstring line = Wide(text);
    for (wchar_t& c : line) {
      if (c == L'\r' || c == L'\n') c = L' ';
    }
    WriteStderr(L"capture: " + line + L"\r\n");
  }
  std::u16string ProgramFolder() override { return {}; }
};

int Fail(int status, const std::wstring& why) {
  WriteStderr(L"capture: " + why + L"\r\n");
  return status;
}

// The foreground window's visible bounds (without the invisible resize borders), or an empty
// rectangle when there is none.
RectI ForegroundBounds() {
  const HWND window = ::GetForegroundWindow();
  if (window == nullptr || !::IsWindowVisible(window) || ::IsIconic(window)) return {};
  return VisibleBounds(window).value_or(RectI{});
}

Picture Crop(const Picture& from, const RectI& area) {
  Picture part(area.right - area.left, area.bottom - area.top);
  for (int y = 0; y < part.height; ++y) {
    for (int x = 0; x < part.width; ++x) part.at(x, y) = from.at(area.left + x, area.top + y);
  }
  return part;
}

bool Exists(const std::u16string& path) {
  return ::GetFileAttributesW(Wide(ExtendedLengthPath(path)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::u16string Environment(const wchar_t* name) {
  std::wstring value(32768, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(name, value.data(), 32768);
  if (length == 0 || length >= 32768) return {};
  return Utf16(std::wstring_view(value.data(), length));
}

// Makes the folder and every missing folder above it; false when it is still not there.
bool MakeFolders(const std::u16string& folder) {
  for (std::size_t at = folder.find_first_of(u"\\/", 3);;
       at = folder.find_first_of(u"\\/", at + 1)) {
    const std::u16string part = folder.substr(0, at);
    if (!Exists(part)) ::CreateDirectoryW(Wide(ExtendedLengthPath(part)).c_str(), nullptr);
    if (at == std::u16string::npos) break;
  }
  const DWORD attributes = ::GetFileAttributesW(Wide(ExtendedLengthPath(folder)).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

LocalTime Now() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// The file's bytes; none when it cannot be read.
std::vector<char> ReadWholeFile(const std::u16string& path) {
  const HANDLE opened = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return {};
  const KernelObject file(opened);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(opened, &size) || size.QuadPart > (1LL << 31)) return {};
  std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD done = 0;
  if (!::ReadFile(opened, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
      done != bytes.size()) {
    return {};
  }
  return bytes;
}

// Writes the bytes to standard output as they are; false when it is no valid handle or refuses
// them.
bool WriteStdoutBytes(const std::vector<char>& bytes) {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);  // not owned
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return false;
  for (std::size_t at = 0; at < bytes.size();) {
    DWORD done = 0;
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 20));
    if (!::WriteFile(out, bytes.data() + at, count, &done, nullptr) || done == 0) return false;
    at += done;
  }
  return true;
}

// The services a save needs, with nothing shown.
struct Services {
  NoWindow window;
  Win32Surface surface;
  Win32Screen screen;
  Win32Clipboard clipboard;
  StderrDialogs dialogs;
  GdiplusFlat gdiplus;
  Win32Files files;
  Platform platform{window, surface, screen, clipboard, dialogs, gdiplus, files};
};

// PNG on standard output: written to a temporary file by the same save as any other, then
// copied out.
int WriteToStdout(Services& services, const Picture& picture) {
  std::wstring folder(MAX_PATH + 1, L'\0');
  folder.resize(::GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
  const std::u16string path = Utf16(folder) + u"capture-stdout-" +
                              Utf16(std::to_wstring(::GetCurrentProcessId())) + u".png";
  if (folder.empty() || !WriteImageFile(services.platform, picture, path, u"png", {})) {
    return kNotWrittenStatus;
  }
  const std::vector<char> bytes = ReadWholeFile(path);
  ::DeleteFileW(Wide(path).c_str());
  if (bytes.empty() || !WriteStdoutBytes(bytes)) {
    return Fail(kNotWrittenStatus, L"无法写入标准输出");
  }
  return 0;
}

// No destination given: a file in the quick-save folder, made if missing, under the pattern; its
// path goes to stdout.
int QuickSaveTo(Services& services, const Picture& picture) {
  QuickSave save;
  save.folder = Environment(L"USERPROFILE") + u"\\Pictures\\Screenshots";
  if (save.folder.starts_with(u"\\") || !MakeFolders(save.folder)) {
    return Fail(kNotWrittenStatus, L"无法创建文件夹：" + Wide(save.folder));
  }
  const std::u16string path = FreeFileName(save, Now(), Exists);
  if (!WriteImageFile(services.platform, picture, path, save.extension, {})) {
    return kNotWrittenStatus;
  }
  WriteStdout(Wide(path) + L"\r\n");
  return 0;
}

int Deliver(const ScriptRequest& request, Services& services, const Picture& picture) {
  int status = 0;
  if (request.clipboard && !services.clipboard.PutBitmap(picture)) {
    status = Fail(kNotWrittenStatus, L"无法复制到剪贴板");
  }
  if (request.out == u"-") {
    if (const int written = WriteToStdout(services, picture)) status = written;
  } else if (request.out) {
    if (!WriteImageFile(services.platform, picture, *request.out, ExtensionOf(*request.out), {})) {
      status = kNotWrittenStatus;
    }
  } else if (!request.clipboard) {
    status = QuickSaveTo(services, picture);
  }
  return status;
}

}  // namespace

int RunScript(const Command& command) {
  try {
    if (command.delay_ms > 0) ::Sleep(static_cast<DWORD>(command.delay_ms));
    Services services;
    const RectI virtual_screen = Win32Screen::Area();
    const ScreenLayout layout{{virtual_screen.left, virtual_screen.top},
                              services.screen.Size(),
                              services.screen.Monitors()};
    const AreaToGrab grab = AreaOf(command.script, layout, ForegroundBounds());
    if (!grab.error.empty()) {
      return Fail(kUsageStatus, Wide(grab.error) + L"\r\n" + Wide(kUsage));
    }
    const Picture screen = services.screen.Grab();
    if (screen.pixels.empty()) return Fail(kScreenUnreadableStatus, L"无法读取屏幕");
    return Deliver(command.script, services, Crop(screen, grab.area));
  } catch (const std::bad_alloc&) {
    return Fail(kScreenUnreadableStatus, L"内存不足，无法读取屏幕");
  }
}

}  // namespace capture::win32
