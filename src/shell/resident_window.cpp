#include "shell/resident_window.h"

#include <string>

#include "app/command_line.h"
#include "app/hotkey_notice.h"
#include "app/start_with_windows.h"
#include "shell/message_loop.h"
#include "shell/single_instance.h"
#include "shell/system_settings.h"
#include "shell/text.h"
#include "shell/window_owner.h"

namespace capture::win32 {
namespace {

constexpr int kIconId = 1;
constexpr int kHotkeyId = 1;
// The mouse on the notification-area icon.
constexpr UINT kIconMessage = WM_APP + 1;
constexpr UINT kCaptureCommand = 1;
constexpr UINT kStartWithWindowsCommand = 2;
constexpr UINT kQuitCommand = 3;
constexpr UINT kDelayedCaptureCommand = 4;
constexpr UINT kPinClipboardCommand = 5;
constexpr wchar_t kTip[] = L"截图";

}  // namespace

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
  RegisterHotkey();
  return true;
}

void ResidentWindow::RegisterHotkey() {
  // MOD_NOREPEAT: holding the key down starts one capture, not one per repeat.
  hotkey_.emplace(hwnd(), kHotkeyId, MOD_NOREPEAT, VK_SNAPSHOT);
  Hotkey got = Hotkey::PrintScreen;
  if (!hotkey_->registered()) {
    hotkey_.reset();
    hotkey_.emplace(hwnd(), kHotkeyId, MOD_CONTROL | MOD_NOREPEAT, VK_SNAPSHOT);
    got = hotkey_->registered() ? Hotkey::CtrlPrintScreen : Hotkey::None;
  }
  const bool snipping = got != Hotkey::PrintScreen && SnippingOwnsPrintScreen();
  if (const std::optional<Notice> notice = HotkeyNotice(got, snipping)) {
    icon_.ShowBalloon(Wide(notice->title), Wide(notice->text));
  }
}

int ResidentWindow::Run() {
  return RunMessageLoop();
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

void ResidentWindow::Leave() {
  hotkey_.reset();
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
      if (wparam == kHotkeyId) resident_.CaptureRequested();
      return 0;
    case kIconMessage:
      if (LOWORD(lparam) == WM_RBUTTONUP || LOWORD(lparam) == WM_CONTEXTMENU) ShowMenu();
      return 0;
    case WM_CLOSE:
      resident_.QuitRequested();
      return 0;
    case kPinClipboardMessage:
      return static_cast<LRESULT>(PinClipboard());
    case WM_DESTROY:
      ::PostQuitMessage(0);
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
    case kQuitCommand:
      resident_.QuitRequested();
      break;
    default:
      break;
  }
}

void ResidentWindow::ToggleStartWithWindows() {
  RegistryRunValue run_value;
  const std::u16string error = capture::ToggleStartWithWindows(run_value, Utf16(ProgramPath()));
  if (!error.empty()) ::MessageBoxW(hwnd(), Wide(error).c_str(), L"错误", MB_OK | MB_ICONERROR);
}

}  // namespace capture::win32
