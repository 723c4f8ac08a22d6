#include "shell/single_instance.h"

#include "shell/capture_window.h"

namespace capture::win32 {
namespace {

constexpr wchar_t kMutexName[] = L"Local\\Capture.Resident";
// A resident instance that has not answered by then is hung or gone.
constexpr UINT kPinAnswerMilliseconds = 5000;

}  // namespace

ResidentLock::ResidentLock() : mutex_(::CreateMutexW(nullptr, FALSE, kMutexName)) {
  held_ = mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

ResidentInstance::Asked Win32ResidentInstance::AskToQuit() {
  const HWND resident = ::FindWindowW(kResidentClass, nullptr);  // not owned
  if (!resident) return Asked::NoneRunning;
  ::GetWindowThreadProcessId(resident, &process_id_);
  // Opened before asking: the process's id could otherwise be another's by the time we wait.
  process_.Reset(
      ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id_));
  if (!process_ || !::PostMessageW(resident, WM_CLOSE, 0, 0)) return Asked::Unreachable;
  return Asked::Asked;
}

bool Win32ResidentInstance::WaitEnded(int milliseconds) {
  return process_ &&
         ::WaitForSingleObject(process_.get(), static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
}

bool Win32ResidentInstance::Capturing() {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, kCaptureClass, nullptr); window;
       window = ::FindWindowExW(nullptr, window, kCaptureClass, nullptr)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == process_id_) return true;
  }
  return false;
}

bool Win32ResidentInstance::LostPins() {
  DWORD status = 0;
  return process_ && ::GetExitCodeProcess(process_.get(), &status) &&
         status == static_cast<DWORD>(kPinsNotKeptStatus);
}

std::optional<ClipboardPin> HandPinToResident() {
  const HWND resident = ::FindWindowW(kResidentClass, nullptr);  // not owned
  if (!resident) return std::nullopt;
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(resident, kPinClipboardMessage, 0, 0, SMTO_ABORTIFHUNG,
                             kPinAnswerMilliseconds, &answer)) {
    return std::nullopt;
  }
  switch (static_cast<ClipboardPin>(answer)) {
    case ClipboardPin::Pinned:
    case ClipboardPin::NoPicture:
    case ClipboardPin::Failed:
      return static_cast<ClipboardPin>(answer);
  }
  return std::nullopt;
}

}  // namespace capture::win32
