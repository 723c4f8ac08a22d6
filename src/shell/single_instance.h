// One resident instance per user session: a named mutex held for its life, and the way another
// process of the program reaches it (the class of its hidden window).
#pragma once

#include "app/quit_resident.h"
#include "shell/handles.h"

namespace capture::win32 {

// The class of the resident instance's hidden window.
inline constexpr wchar_t kResidentClass[] = L"Capture.Resident";

class ResidentLock {
 public:
  // Takes the session's resident lock; held() is false when another instance has it.
  ResidentLock();
  bool held() const { return held_; }

 private:
  KernelObject mutex_;
  bool held_ = false;
};

// The session's resident instance, found by its hidden window's class.
class Win32ResidentInstance : public ResidentInstance {
 public:
  Asked AskToQuit() override;
  bool WaitEnded(int milliseconds) override;
  bool Capturing() override;

 private:
  DWORD process_id_ = 0;
  KernelObject process_;
};

}  // namespace capture::win32
