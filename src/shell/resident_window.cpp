#include "shell/resident_window.h"

#include <shellapi.h>

#include <string>
#include <utility>

#include "app/command_line.h"
#include "app/hotkey_notice.h"
#include "app/start_with_windows.h"
#include "output/save_dialog.h"
#include "shell/console_output.h"
#include "shell/single_instance.h"
#include "shell/system_settings.h"
#include "shell/text.h"
#include "shell/window_owner.h"

namespace capture::win32 {
namespace {

constexpr int kIconId = 1;
// The mouse on the notification-area icon.
constexpr UINT kIconMessage = WM_APP + 1;
constexpr UINT kCaptureCommand = 1;
constexpr UINT kStartWithWindowsCommand = 2;
constexpr UINT kQuitCommand = 3;
constexpr UINT kDelayedCaptureCommand = 4;
constexpr UINT kSettingsCommand = 5;
constexpr UINT kPinClipboardCommand = 6;
// Editors write a file in several steps: it is read once they have been still this long.
constexpr UINT_PTR kReloadTimer = 1;
constexpr UINT kReloadAfterMs = 300;
constexpr wchar_t kTip[] = L"截图";

}  // namespace

ResidentWindow::ResidentWindow(SettingsStore& settings, Pins& pins,
                               std::function<void(int)> capture_once)
    : settings_(settings), pins_(pins), capture_once_(std::move(capture_once)) {
  // The hotkey table: which setting names each key, and what the key does.
  hotkeys_.push_back({&Settings::capture_hotkey, [this] { resident_.CaptureRequested(); }, {}, {}});
  hotkeys_.push_back({&Settings::pin_clipboard_hotkey, [this] { PinClipboard(); }, {}, {}});
  settings_.on_quick_saved = [this](const std::u16string& path) { QuickSaved(path); };
  settings_.on_not_remembered = [this](const std::u16string& message) {
    Notice notice = SettingsProblemsNotice({message});
    notice.title = u"设置未记住";
    balloon_file_.clear();
    icon_.ShowBalloon(Wide(notice.title), Wide(notice.text));
  };
}

bool ResidentWindow::Create(HINSTANCE instance) {
  const auto icon = static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                   ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));  // shared: the system's
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &ResidentWindow::Procedure;
  wc.hInstance = instance;
  wc.hIconSm = icon;
  wc.lpszClassName = kResidentClass;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // Never shown: a top-level window, unlike a message-only one, hears the shell's broadcast that
  // the notification area was made anew, and FindWindow finds it.
  ::CreateWindowExW(WS_EX_TOOLWINDOW, kResidentClass, kTip, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    instance, this);
  if (!hwnd()) return false;
  taskbar_created_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  icon_.Add(hwnd(), kIconMessage, icon, kTip);
  ShowProblems();
  ApplyHotkeys(true);
  WatchSettings();
  RestorePins();
  return true;
}

void ResidentWindow::RestorePins() {
  const std::vector<std::u16string> problems = pins_.Restore();
  if (problems.empty()) return;
  std::wstring text;
  for (const std::u16string& problem : problems) {
    WriteStderr(L"capture: " + Wide(problem) + L"\r\n");
    text += Wide(problem) + L"\n";
  }
  balloon_file_.clear();
  icon_.ShowBalloon(L"贴图", text);
}

void ResidentWindow::ApplyHotkeys(bool at_start) {
  for (HotkeyRow& row : hotkeys_) {
    const KeyChord wanted = settings_.settings().*row.setting;
    if (wanted == row.chord && (row.registered || wanted.None())) continue;
    if (wanted.None()) {
      row.registered.reset();
      row.chord = {};
      continue;
    }
    if (Register(row, wanted)) continue;
    const KeyChord print_screen{0, kPrintScreenKey};
    if (at_start && row.setting == &Settings::capture_hotkey && wanted == print_screen) {
      const bool ctrl = Register(row, {modifier::kCtrl, kPrintScreenKey});
      const Hotkey got = ctrl ? Hotkey::CtrlPrintScreen : Hotkey::None;
      if (const std::optional<Notice> notice = HotkeyNotice(got, SnippingOwnsPrintScreen())) {
        balloon_file_.clear();
        icon_.ShowBalloon(Wide(notice->title), Wide(notice->text));
      }
      continue;
    }
    const Notice notice = HotkeyKeptNotice(KeyChordText(wanted), KeyChordText(row.chord));
    balloon_file_.clear();
    icon_.ShowBalloon(Wide(notice.title), Wide(notice.text));
  }
}

bool ResidentWindow::Register(HotkeyRow& row, const KeyChord& chord) {
  // MOD_NOREPEAT: holding the key down starts one capture, not one per repeat.
  auto next = std::make_unique<RegisteredHotkey>(hwnd(), next_hotkey_id_++,
                                                 chord.modifiers | MOD_NOREPEAT, chord.key);
  if (!next->registered()) return false;
  row.registered = std::move(next);
  row.chord = chord;
  return true;
}

void ResidentWindow::HotkeyPressed(WPARAM id) {
  for (const HotkeyRow& row : hotkeys_) {
    if (row.registered && static_cast<WPARAM>(row.registered->id()) == id) return row.act();
  }
}

void ResidentWindow::WatchSettings() {
  const std::u16string folder = FolderOf(settings_.path());
  // The folder is made so that it can be watched; the file is written only when something changes.
  Win32Files().MakeFolders(folder);
  const HANDLE watch = ::FindFirstChangeNotificationW(
      Wide(folder).c_str(), FALSE,
      FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE);
  watch_.Reset(watch == INVALID_HANDLE_VALUE ? nullptr : watch);
}

void ResidentWindow::SettingsChanged() {
  if (!settings_.Reload()) return;  // another file of the folder, or the same bytes again
  ShowProblems();
  ApplyHotkeys(false);
}

void ResidentWindow::ShowProblems() {
  if (settings_.problems().empty()) return;
  const Notice notice = SettingsProblemsNotice(settings_.problems());
  balloon_file_.clear();
  icon_.ShowBalloon(Wide(notice.title), Wide(notice.text));
}

void ResidentWindow::QuickSaved(const std::u16string& path) {
  const Notice notice = QuickSavedNotice(path);
  balloon_file_ = path;
  icon_.ShowBalloon(Wide(notice.title), Wide(notice.text), false);
}

int ResidentWindow::Run() {
  // The message loop, also woken when the settings file's folder changes.
  for (;;) {
    HANDLE watch = watch_.get();
    const DWORD woken = ::MsgWaitForMultipleObjectsEx(watch ? 1 : 0, watch ? &watch : nullptr,
                                                      INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (watch && woken == WAIT_OBJECT_0) {
      if (!::FindNextChangeNotification(watch)) watch_.Reset();
      ::SetTimer(hwnd(), kReloadTimer, kReloadAfterMs, nullptr);
      continue;
    }
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

ClipboardPin ResidentWindow::PinClipboard() {
  const ClipboardPin outcome = pins_.PinClipboard();
  if (outcome == ClipboardPin::NoPicture) {
    icon_.ShowBalloon(L"贴图", L"剪贴板中没有图片");
  } else if (outcome == ClipboardPin::Failed) {
    icon_.ShowBalloon(L"贴图", L"无法创建贴图窗口");
  }
  return outcome;
}

void ResidentWindow::RunCapture(int delay_ms) {
  capture_once_(delay_ms);
  // A capture ends its own message loop with WM_QUIT. One that failed before its loop ran leaves
  // that message behind, and it must not end the resident program's loop.
  MSG msg{};
  ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

bool ResidentWindow::Leave() {
  PinKeeper kept = pins_.Keep();
  const bool asked_here = std::exchange(quit_from_menu_, false);
  if (!kept.problems().empty()) {
    std::wstring lines;
    for (const std::u16string& problem : kept.problems()) {
      WriteStderr(L"capture: " + Wide(problem) + L"\r\n");
      lines += Wide(problem) + L"\n";
    }
    // Another process's --quit or an installer waits, bounded, for the program to end: only a
    // user at the menu can be asked.
    if (asked_here) {
      const std::wstring text = lines + L"\n退出后这些贴图将丢失。仍要退出吗？";
      constexpr UINT kStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TOPMOST;
      if (::MessageBoxW(hwnd(), text.c_str(), L"退出", kStyle) != IDYES) {
        kept.Forget();  // the pins stay open: the next quit keeps them afresh
        return false;
      }
    }
    exit_status_ = kPinsNotKeptStatus;
  }
  LetGo();
  return true;
}

void ResidentWindow::LetGo() {
  hotkeys_.clear();
  icon_.Remove();
  window_.Reset();  // WM_DESTROY ends the loop
}

LRESULT CALLBACK ResidentWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ResidentWindow* self = WindowOwner(hwnd, message, lparam, &ResidentWindow::window_);
  if (!self) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  // No exception may cross into the system's code that called us.
  try {
    return self->Handle(message, wparam, lparam);
  } catch (...) {
    return 0;
  }
}

LRESULT ResidentWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_HOTKEY:
      HotkeyPressed(wparam);
      return 0;
    case WM_TIMER:
      if (wparam == kReloadTimer) {
        ::KillTimer(hwnd(), kReloadTimer);
        SettingsChanged();
      }
      return 0;
    case kIconMessage:
      if (LOWORD(lparam) == WM_RBUTTONUP || LOWORD(lparam) == WM_CONTEXTMENU) ShowMenu();
      // The quick save's balloon: its file, selected in its folder.
      if (LOWORD(lparam) == NIN_BALLOONUSERCLICK && !balloon_file_.empty()) {
        const std::wstring select = L"/select,\"" + Wide(balloon_file_) + L"\"";
        ::ShellExecuteW(nullptr, L"open", L"explorer.exe", select.c_str(), nullptr, SW_SHOWNORMAL);
      }
      return 0;
    case WM_CLOSE:
      quit_from_menu_ = false;
      resident_.QuitRequested();
      return 0;
    case kPinClipboardMessage:
      return static_cast<LRESULT>(PinClipboard());
    case WM_ENDSESSION:
      // The pins' windows hear it too; whichever comes first keeps them.
      if (wparam != FALSE) pins_.SessionEnding();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(exit_status_);
      return 0;
    default:
      if (message == taskbar_created_ && taskbar_created_ != 0) {
        icon_.AddAgain();
        return 0;
      }
      return ::DefWindowProcW(hwnd(), message, wparam, lparam);
  }
}

void ResidentWindow::ShowMenu() {
  const Menu menu(::CreatePopupMenu());
  if (!menu) return;
  const UINT capturing = resident_.state() == Resident::State::Capturing ? MF_GRAYED : 0u;
  RegistryRunValue run_value;
  const UINT starts =
      StartsWithWindows(run_value, Utf16(ProgramPath())) ? MF_CHECKED : MF_UNCHECKED;
  ::AppendMenuW(menu.get(), MF_STRING | capturing, kCaptureCommand, L"截图");
  ::AppendMenuW(menu.get(), MF_STRING | capturing, kDelayedCaptureCommand, L"延时截图");
  ::AppendMenuW(menu.get(), MF_STRING, kPinClipboardCommand, L"贴图");
  ::AppendMenuW(menu.get(), MF_STRING | starts, kStartWithWindowsCommand, L"开机启动");
  ::AppendMenuW(menu.get(), MF_STRING, kSettingsCommand, L"设置…");
  ::AppendMenuW(menu.get(), MF_STRING, kQuitCommand, L"退出");
  POINT at{};
  ::GetCursorPos(&at);
  // The menu closes when the user clicks elsewhere only if its owner is the foreground window.
  ::SetForegroundWindow(hwnd());
  const auto command = static_cast<UINT>(::TrackPopupMenuEx(
      menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, hwnd(), nullptr));
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  switch (command) {
    case kCaptureCommand:
      resident_.CaptureRequested();
      break;
    case kDelayedCaptureCommand:
      resident_.CaptureRequested(kMenuDelayMs);
      break;
    case kPinClipboardCommand:
      PinClipboard();
      break;
    case kStartWithWindowsCommand:
      ToggleStartWithWindows();
      break;
    case kSettingsCommand:
      OpenSettings();
      break;
    case kQuitCommand:
      quit_from_menu_ = true;
      resident_.QuitRequested();
      break;
    default:
      break;
  }
}

void ResidentWindow::OpenSettings() {
  if (const FileResult error = settings_.CreateIfMissing()) {
    const std::wstring text =
        L"无法创建设置文件 " + Wide(settings_.path()) + L"：" + Wide(error->text);
    ::MessageBoxW(hwnd(), text.c_str(), L"错误", MB_OK | MB_ICONERROR);
    return;
  }
  if (!watch_) WatchSettings();
  const std::wstring path = Wide(settings_.path());
  // The editor the system opens .ini files with; Notepad where none is set.
  const auto opened = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(hwnd(), L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (opened > 32) return;
  const std::wstring quoted = L"\"" + path + L"\"";
  ::ShellExecuteW(hwnd(), L"open", L"notepad.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL);
}

void ResidentWindow::ToggleStartWithWindows() {
  RegistryRunValue run_value;
  const std::u16string error = capture::ToggleStartWithWindows(run_value, Utf16(ProgramPath()));
  if (!error.empty()) ::MessageBoxW(hwnd(), Wide(error).c_str(), L"错误", MB_OK | MB_ICONERROR);
}

}  // namespace capture::win32
