// The program's pins: made from a capture's selection or from the clipboard's picture, held until
// each is closed. A plain run lives until its last pin is closed; the resident program keeps its
// pins between captures.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/pinboard.h"
#include "platform/platform.h"
#include "shell/gdiplus_flat.h"
#include "shell/kept_pins.h"
#include "shell/no_window.h"
#include "shell/pin_window.h"
#include "shell/settings_store.h"
#include "shell/win32_clipboard.h"
#include "shell/win32_dialogs.h"
#include "shell/win32_files.h"
#include "shell/win32_screen.h"
#include "shell/win32_surface.h"

namespace capture::win32 {

// How pinning the clipboard's picture went. Failed is 0: an answer from a window procedure that
// failed before it could give one reads as failure, never as a pin shown.
enum class ClipboardPin { Failed, Pinned, NoPicture };

class Pins : public PinWindow::Owner {
 public:
  // `settings`: where a pin's save opens its dialog and what it remembers, as a capture's save;
  // whether pins are kept over a quit, and where.
  Pins(HINSTANCE instance, SettingsStore& settings) : instance_(instance), settings_(settings) {}
  Pins(const Pins&) = delete;
  Pins& operator=(const Pins&) = delete;
  ~Pins() override = default;

  // Runs whenever the last pin has been closed.
  void WhenEmpty(std::function<void()> callback) { when_empty_ = std::move(callback); }
  bool empty() const { return pins_.empty(); }

  // A pin of the picture, 1:1 with its top-left at `top_left` on the screen. False when its
  // window could not be made; throws std::bad_alloc when its pixels cannot be.
  bool Add(const Picture& picture, PointI top_left);
  // The clipboard's picture as a pin on the pointer's monitor, centred on the pointer. Failed,
  // never an exception, when it could not be shown.
  ClipboardPin PinClipboard();
  // Writes every open pin into the pins folder, when the settings keep pins over a quit; what
  // was not kept is in the keeper's problems, and its Forget takes the files back.
  PinKeeper Keep();
  // The pins kept at the last quit, shown again where they were; one line for each that could
  // not be.
  std::vector<std::u16string> Restore();
  // While a capture shows the frozen screen, the pins it froze stay out of its way.
  void HideAll();
  void ShowAll();

  // ---- PinWindow::Owner ----
  void Act(PinWindow& pin, pin::Command command) override;
  // The session ends: the pins are kept, once, and what was not is said on stderr.
  void SessionEnding() override;

 private:
  void Save(PinWindow& pin);
  void Remove(const PinWindow& pin);

  bool Add(std::unique_ptr<PinWindow> pin);
  // Restore, without its guard.
  std::vector<std::u16string> RestoreAll();

  HINSTANCE instance_;
  SettingsStore& settings_;
  bool session_ended_ = false;  // the pins were kept at the end of the session
  std::vector<std::unique_ptr<PinWindow>> pins_;
  std::vector<HWND> hidden_;  // not owned: the pins HideAll hid
  std::function<void()> when_empty_;
  // What a pin's copy and save need: the capture's own clipboard, dialog and file writer.
  Win32Clipboard clipboard_;
  Win32Dialogs dialogs_;
  GdiplusFlat gdiplus_;
  Win32Files files_;
  NoWindow window_;
  Win32Surface surface_;
  Win32Screen screen_;
  Platform platform_{window_, surface_, screen_, clipboard_, dialogs_, gdiplus_, files_, settings_};
};

// A capture's view of the pins: window coordinates become the screen's.
class CapturePinboard : public Pinboard {
 public:
  // `origin`: the capture window's top-left on the screen (the virtual screen's).
  CapturePinboard(Pins& pins, PointI origin) : pins_(pins), origin_(origin) {}
  bool Pin(Picture picture, PointI top_left) override {
    return pins_.Add(picture, {top_left.x + origin_.x, top_left.y + origin_.y});
  }

 private:
  Pins& pins_;  // not owned
  PointI origin_;
};

}  // namespace capture::win32
