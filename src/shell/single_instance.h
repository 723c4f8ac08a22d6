// One resident instance per user session: a named mutex held for its life, and the way another
// process of the program reaches it (the class of its hidden window).
#pragma once

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

// Asks the session's resident instance to quit and waits a few seconds at most for it to end
// (a capture the user is in ends first). True when none is running or it has ended.
bool QuitResidentInstance();

}  // namespace capture::win32
