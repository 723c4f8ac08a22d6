#include "shell/win32_dialogs.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "output/save_dialog.h"
#include "shell/system_settings.h"
#include "shell/text.h"

namespace capture::win32 {
namespace {

// Null for an empty string, so the dialog uses its own default.
const wchar_t* OrNull(const std::wstring& s) {
  return s.empty() ? nullptr : s.c_str();
}

}  // namespace

class Win32Dialogs::Modal {
 public:
  explicit Modal(const Win32Dialogs& dialogs) : window_(dialogs.blocked_) {
    if (dialogs.refresh_) dialogs.refresh_();
    if (window_) ::EnableWindow(window_, FALSE);
  }
  ~Modal() {
    if (window_) ::EnableWindow(window_, TRUE);
  }
  Modal(const Modal&) = delete;
  Modal& operator=(const Modal&) = delete;

 private:
  HWND window_;  // not owned
};

std::optional<std::u16string> Win32Dialogs::AskSavePath(const SaveDialogRequest& request) {
  const std::size_t capacity = std::max(request.max_path, kLongPath);
  std::vector<wchar_t> path(capacity, L'\0');
  const std::size_t start = std::min(request.file.size(), capacity - 1);
  std::copy_n(request.file.begin(), start, path.begin());

  // The filter holds its own NULs; the string's terminating NUL ends the list.
  const std::wstring filter = Wide(request.filter);
  const std::wstring title = Wide(request.title);
  const std::wstring initial_dir = Wide(request.initial_dir);
  const std::wstring default_ext = Wide(request.default_ext);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = nullptr;
  ofn.lpstrFilter = OrNull(filter);
  ofn.nFilterIndex = static_cast<DWORD>(request.filter_index);
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(capacity);
  ofn.lpstrInitialDir = OrNull(initial_dir);
  ofn.lpstrTitle = OrNull(title);
  ofn.lpstrDefExt = OrNull(default_ext);
  // The dialog would otherwise make the chosen folder the process's current one, and a resident
  // program would hold it open (a USB stick could not be ejected).
  ofn.Flags = request.flags | OFN_NOCHANGEDIR;
  const Modal modal(*this);
  if (!::GetSaveFileNameW(&ofn)) return std::nullopt;
  return Utf16(path.data());
}

void Win32Dialogs::ShowMessage(const std::u16string& title, const std::u16string& text) {
  const Modal modal(*this);
  ::MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_ICONINFORMATION);
}

std::u16string Win32Dialogs::ProgramFolder() {
  return FolderOf(Utf16(ProgramPath()));
}

}  // namespace capture::win32
