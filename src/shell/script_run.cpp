#include "shell/script_run.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "app/script_run.h"
#include "shell/console_output.h"
#include "shell/desktop_elements.h"
#include "shell/gdiplus_flat.h"
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

// The process's standard streams and the scroll of a window on the screen.
class ConsoleShell : public ScriptShell {
 public:
  explicit ConsoleShell(int max_height) : max_height_(max_height) {}

  void PrintLine(const std::u16string& text) override { WriteStdout(Wide(text) + L"\r\n"); }
  void PrintProblem(const std::u16string& text) override {
    WriteStderr(L"capture: " + Wide(text) + L"\r\n");
  }
  // Named after the process: runs started together never share it.
  std::u16string StdoutFilePath() override {
    std::wstring folder(MAX_PATH + 1, L'\0');
    folder.resize(::GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
    if (folder.empty()) return {};
    return Utf16(folder) + u"capture-stdout-" + Utf16(std::to_wstring(::GetCurrentProcessId())) +
           u".png";
  }
  bool SendFileToStdout(const std::u16string& path) override {
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadWholeFile(path, std::uint64_t{1} << 31);
    return bytes && !bytes->empty() && WriteStdoutBytes(*bytes);
  }
  ScrolledArea Scroll(const RectI& area) override {
    ScrolledPicture scrolled = ScrollAndJoin(area, max_height_);
    ScrolledArea out;
    if (scrolled.joined) {
      out.picture = std::make_unique<join::FrameJoiner>(std::move(*scrolled.joined));
    }
    out.unreadable = scrolled.unreadable;
    out.would_not_scroll = scrolled.would_not_scroll;
    if (scrolled.refusal) out.refusal = join::RefusalText(*scrolled.refusal);
    return out;
  }

 private:
  int max_height_;
};

// The services a save needs, with nothing shown.
struct Services {
  NoWindow window;
  Win32Surface surface;
  Win32Screen screen;
  Win32Clipboard clipboard;
  GdiplusFlat gdiplus;
  Win32Files files;
  SettingsStore saving{SettingsPath()};
};

}  // namespace

int RunScript(const Command& command) {
  try {
    if (command.delay_ms > 0) ::Sleep(static_cast<DWORD>(command.delay_ms));
    Services services;
    ConsoleShell shell(services.saving.settings().scroll_max_height);
    for (const std::u16string& problem : services.saving.problems()) shell.PrintProblem(problem);
    const RectI virtual_screen = Win32Screen::Area();
    const ScriptDesktop desktop{{virtual_screen.left, virtual_screen.top},
                                ForegroundBounds(command.script.scroll)};
    return capture::RunScript(
        command.script, desktop,
        {services.window, services.surface, services.screen, services.clipboard, services.gdiplus,
         services.files, services.saving},
        shell);
  } catch (const std::bad_alloc&) {
    WriteStderr(L"capture: 内存不足，无法读取屏幕\r\n");
    return kScreenUnreadableStatus;
  }
}

}  // namespace capture::win32
