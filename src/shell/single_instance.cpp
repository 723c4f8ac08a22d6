#include "shell/single_instance.h"

namespace capture::win32 {
namespace {

constexpr wchar_t kMutexName[] = L"Local\\Capture.Resident";
constexpr DWORD kQuitWaitMs = 5000;

}  // namespace

ResidentLock::ResidentLock() : mutex_(::CreateMutexW(nullptr, FALSE, kMutexName)) {
  held_ = mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

bool QuitResidentInstance() {
  const HWND resident = ::FindWindowW(kResidentClass, nullptr);  // not owned
  if (!resident) return true;
  DWORD process_id = 0;
  ::GetWindowThreadProcessId(resident, &process_id);
  const KernelObject process(::OpenProcess(SYNCHRONIZE, FALSE, process_id));
  if (!::PostMessageW(resident, WM_CLOSE, 0, 0)) return false;
  return process && ::WaitForSingleObject(process.get(), kQuitWaitMs) == WAIT_OBJECT_0;
}

}  // namespace capture::win32
