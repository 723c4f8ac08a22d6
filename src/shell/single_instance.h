// One resident instance per user session: a named mutex held for its life, and the way another
// process of the program reaches it (the class of its hidden window).
#pragma once

#include <optional>

#include "app/quit_resident.h"
#include "shell/handles.h"
#include "shell/pins.h"

namespace capture::win32 {

// The class of the resident instance's hidden window.
inline constexpr wchar_t kResidentClass[] = L"Capture.Resident";
// Sent to the resident instance's window by --pin-clipboard: pin the clipboard's picture. The
// answer is a ClipboardPin (shell/pins.h).
inline constexpr UINT kPinClipboardMessage = WM_APP + 2;

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
  bool LostPins() override;

 private:
  DWORD process_id_ = 0;
  KernelObject process_;
};

// Asks the resident instance, when one runs, to pin the clipboard's picture and waits for its
// answer; nothing when none runs or it does not answer.
std::optional<ClipboardPin> HandPinToResident();

}  // namespace capture::win32
