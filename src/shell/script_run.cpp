#include "shell/script_run.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "app/script_area.h"
#include "output/image_file.h"
#include "output/quick_save.h"
#include "output/save_dialog.h"
#include "platform/platform.h"
#include "shell/console_output.h"
#include "shell/desktop_elements.h"
#include "shell/gdiplus_flat.h"
#include "shell/handles.h"
#include "shell/no_window.h"
#include "shell/scroll_capture.h"
#include "shell/settings_store.h"
#include "shell/text.h"
#include "shell/win32_clipboard.h"
#include "shell/win32_files.h"
#include "shell/win32_screen.h"
#include "shell/win32_surface.h"

namespace capture::win32 {
namespace {

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
RectI ForegroundBounds(bool client_only) {
  const HWND window = ::GetForegroundWindow();
  if (window == nullptr || !::IsWindowVisible(window) || ::IsIconic(window)) return {};
  if (!client_only) return VisibleBounds(window).value_or(RectI{});
  RECT client{};
  POINT origin{0, 0};
  if (!::GetClientRect(window, &client) || !::ClientToScreen(window, &origin)) return {};
  return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

Picture Crop(const Picture& from, const RectI& area) {
  Picture part(area.right - area.left, area.bottom - area.top);
  for (int y = 0; y < part.height; ++y) {
    for (int x = 0; x < part.width; ++x) part.at(x, y) = from.at(area.left + x, area.top + y);
  }
  return part;
}

// Writes the bytes to standard output as they are; false when it is no valid handle or refuses
// them.
bool WriteStdoutBytes(const std::vector<std::uint8_t>& bytes) {
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
  SettingsStore saving{SettingsPath()};
  Platform platform{window, surface, screen, clipboard, dialogs, gdiplus, files, saving};
};

// PNG on standard output: written to a temporary file by the same save as any other, then
// copied out.
int WriteToStdout(Services& services, const PictureRows& picture) {
  std::wstring folder(MAX_PATH + 1, L'\0');
  folder.resize(::GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
  const std::u16string path = Utf16(folder) + u"capture-stdout-" +
                              Utf16(std::to_wstring(::GetCurrentProcessId())) + u".png";
  if (folder.empty() || !WriteImageFile(services.platform, picture, path, u"png", {})) {
    return kNotWrittenStatus;
  }
  const std::optional<std::vector<std::uint8_t>> bytes =
      ReadWholeFile(path, std::uint64_t{1} << 31);
  ::DeleteFileW(Wide(path).c_str());
  if (!bytes || bytes->empty() || !WriteStdoutBytes(*bytes)) {
    return Fail(kNotWrittenStatus, L"无法写入标准输出");
  }
  return 0;
}

// No destination given: a file in the quick-save folder, made if missing, under the pattern; its
// path goes to stdout.
int QuickSaveAndPrint(Services& services, const PictureRows& picture) {
  services.saving.on_quick_saved = [](const std::u16string& path) {
    WriteStdout(Wide(path) + L"\r\n");
  };
  return QuickSaveTo(services.platform, picture) ? 0 : kNotWrittenStatus;
}

int Deliver(const ScriptRequest& request, Services& services, const PictureRows& picture) {
  int status = 0;
  if (request.clipboard && !services.clipboard.PutBitmap(picture)) {
    status = Fail(kNotWrittenStatus, L"无法复制到剪贴板");
  }
  if (request.out == u"-") {
    if (const int written = WriteToStdout(services, picture)) status = written;
  } else if (request.out) {
    EncoderSettings encoder;
    encoder.jpeg_quality = services.saving.Saving().jpeg_quality;
    if (!WriteImageFile(services.platform, picture, *request.out, ExtensionOf(*request.out),
                        encoder)) {
      status = kNotWrittenStatus;
    }
  } else if (!request.clipboard) {
    status = QuickSaveAndPrint(services, picture);
  }
  return status;
}

// The window under the area scrolled to its end and its frames joined, the picture written; the
// status 3 when the screen could not be read after a notch, 5 when a seam could not be joined or
// the window would not scroll (in each the picture so far is written), or the writing's own.
int ScrollAndDeliver(const ScriptRequest& request, Services& services, const RectI& area,
                     int max_height) {
  const ScrolledPicture scrolled = ScrollAndJoin(area, max_height);
  if (!scrolled.joined) return Fail(kScreenUnreadableStatus, L"无法读取屏幕");
  const int status = Deliver(request, services, *scrolled.joined);
  if (scrolled.unreadable) {
    Fail(kScreenUnreadableStatus, L"无法读取屏幕，已写入读到的部分");
    return status != 0 ? status : kScreenUnreadableStatus;
  }
  if (scrolled.would_not_scroll) {
    Fail(kStoppedEarlyStatus, L"窗口不接受滚动，未到底部，已写入截取到的部分");
    return status != 0 ? status : kStoppedEarlyStatus;
  }
  if (!scrolled.refusal) return status;
  Fail(kStoppedEarlyStatus, Wide(join::RefusalText(*scrolled.refusal)));
  return status != 0 ? status : kStoppedEarlyStatus;
}

}  // namespace

int RunScript(const Command& command) {
  try {
    if (command.delay_ms > 0) ::Sleep(static_cast<DWORD>(command.delay_ms));
    Services services;
    for (const std::u16string& problem : services.saving.problems()) {
      WriteStderr(L"capture: " + Wide(problem) + L"\r\n");
    }
    const RectI virtual_screen = Win32Screen::Area();
    const ScreenLayout layout{{virtual_screen.left, virtual_screen.top},
                              services.screen.Size(),
                              services.screen.Monitors()};
    const AreaToGrab grab = AreaOf(command.script, layout, ForegroundBounds(command.script.scroll));
    if (!grab.error.empty()) {
      return Fail(kUsageStatus, Wide(grab.error) + L"\r\n" + Wide(kUsage));
    }
    if (command.script.scroll) {
      const RectI on_screen{
          grab.area.left + virtual_screen.left, grab.area.top + virtual_screen.top,
          grab.area.right + virtual_screen.left, grab.area.bottom + virtual_screen.top};
      return ScrollAndDeliver(command.script, services, on_screen,
                              services.saving.settings().scroll_max_height);
    }
    const Picture screen = services.screen.Grab();
    if (screen.pixels.empty()) return Fail(kScreenUnreadableStatus, L"无法读取屏幕");
    return Deliver(command.script, services, RowsOfPicture(Crop(screen, grab.area)));
  } catch (const std::bad_alloc&) {
    return Fail(kScreenUnreadableStatus, L"内存不足，无法读取屏幕");
  }
}

}  // namespace capture::win32
