#include "shell/pins.h"

#include <algorithm>
#include <optional>

#include "output/save_as.h"
#include "output/save_error.h"
#include "pin/pin_view.h"
#include "run/run_error.h"
#include "shell/console_output.h"
#include "shell/text.h"

namespace capture::win32 {
namespace {

// Every pin out of the topmost band while a dialog is up: the dialog, which has no owner, would
// otherwise open under a pin that covers it.
class LoweredWhileModal {
 public:
  explicit LoweredWhileModal(const std::vector<std::unique_ptr<PinWindow>>& pins) {
    for (const auto& pin : pins) windows_.push_back(pin->hwnd());
    Place(HWND_NOTOPMOST);
  }
  ~LoweredWhileModal() { Place(HWND_TOPMOST); }
  LoweredWhileModal(const LoweredWhileModal&) = delete;
  LoweredWhileModal& operator=(const LoweredWhileModal&) = delete;

 private:
  void Place(HWND where) const {
    for (const HWND window : windows_) {
      if (::IsWindow(window)) {
        ::SetWindowPos(window, where, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
    }
  }

  std::vector<HWND> windows_;  // not owned
};

}  // namespace

bool Pins::Add(const Picture& picture, PointI top_left) {
  return Add(std::make_unique<PinWindow>(*this, picture, top_left));
}

bool Pins::Add(std::unique_ptr<PinWindow> pin) {
  if (!pin->Create(instance_)) return false;
  pins_.push_back(std::move(pin));
  return true;
}

ClipboardPin Pins::PinClipboard() {
  // Out of memory for a large picture, or a clipboard that fails under us: not pinned, said so
  // by the caller, never a pin reported that is not there.
  try {
    const std::optional<Picture> picture = clipboard_.GetBitmap();
    if (!picture || picture->pixels.empty()) return ClipboardPin::NoPicture;
    POINT pointer{};
    ::GetCursorPos(&pointer);
    const PointI at{pointer.x, pointer.y};
    const RectI monitor = Win32Screen::MonitorAt(at).area;
    const PointI top_left = pin::PlaceAtPointer({picture->width, picture->height}, at, monitor);
    return Add(*picture, top_left) ? ClipboardPin::Pinned : ClipboardPin::Failed;
  } catch (...) {
    return ClipboardPin::Failed;
  }
}

PinKeeper Pins::Keep() {
  PinKeeper keeper(PinsFolder(settings_.path()));
  // Kept once at the end of the session: a quit after it (where the system lets the program
  // run on) must not write them twice.
  if (session_ended_ || !settings_.settings().restore_pins) return keeper;
  for (const auto& pin : pins_) {
    try {
      keeper.Keep(pin->TakePicture(), pin->view().Kept());
    } catch (...) {
      keeper.NotKept(u"内存不足");
    }
  }
  return keeper;
}

std::vector<std::u16string> Pins::Restore() {
  if (!settings_.settings().restore_pins) return {};
  // The resident program starts whatever the kept pins hold.
  try {
    return RestoreAll();
  } catch (...) {
    return {u"无法恢复上次退出时的贴图：" + FailureOf(std::current_exception()).description};
  }
}

std::vector<std::u16string> Pins::RestoreAll() {
  const RectI area = Win32Screen::Area();
  std::vector<RectI> monitors;
  for (const Monitor& monitor : screen_.Monitors()) {
    const RectI& r = monitor.area;  // in the virtual screen's coordinates from its top-left
    monitors.push_back(
        {r.left + area.left, r.top + area.top, r.right + area.left, r.bottom + area.top});
  }
  const RectI primary = Win32Screen::MonitorAt({0, 0}).area;
  return RestoreKeptPins(
      PinsFolder(settings_.path()), [&](const Picture& picture, const pin::KeptPin& kept) {
        const pin::PinView at_kept({picture.width, picture.height}, kept, kept.top_left, 96);
        const RectI shown = at_kept.PictureRect();
        const PointI place = pin::RestoredPlace(
            kept, {shown.right - shown.left, shown.bottom - shown.top}, monitors, primary);
        try {
          return Add(std::make_unique<PinWindow>(*this, picture, kept, place));
        } catch (...) {
          return false;
        }
      });
}

void Pins::SessionEnding() {
  // Every pin window hears the end of the session: the first keeps them all.
  if (session_ended_) return;
  const PinKeeper kept = Keep();
  session_ended_ = true;
  for (const std::u16string& problem : kept.problems()) {
    WriteStderr(L"capture: " + Wide(problem) + L"\r\n");
  }
}

void Pins::HideAll() {
  for (const auto& pin : pins_) {
    if (::IsWindowVisible(pin->hwnd())) {
      hidden_.push_back(pin->hwnd());
      pin->Show(false);
    }
  }
}

void Pins::ShowAll() {
  for (const auto& pin : pins_) {
    if (std::find(hidden_.begin(), hidden_.end(), pin->hwnd()) != hidden_.end()) pin->Show(true);
  }
  hidden_.clear();
}

void Pins::Act(PinWindow& pin, pin::Command command) {
  switch (command) {
    case pin::Command::Copy:
      // Exact, at 100 %: the pixels that were pinned, whatever the zoom and the opacity.
      if (!clipboard_.PutBitmap(pin.TakePicture())) ShowCopyError(dialogs_, ClipboardError());
      return;
    case pin::Command::Save:
      return Save(pin);
    case pin::Command::Close:
      return Remove(pin);
    case pin::Command::CloseAll: {
      const std::vector<std::unique_ptr<PinWindow>> closing = std::move(pins_);
      pins_.clear();
      hidden_.clear();
      if (when_empty_) when_empty_();
      return;
    }
    case pin::Command::ActualSize:
    case pin::Command::Move:
      return;  // the pin's own
  }
}

void Pins::Save(PinWindow& pin) {
  // The pin takes no input while its dialog or an error box is up, and stays: a failed save has
  // said why, and the pin is still there to save again.
  dialogs_.BlockWhileModal(pin.hwnd(), nullptr);
  {
    const LoweredWhileModal lowered(pins_);
    (void)SaveToChosenFile(platform_, pin.TakePicture());
  }
  dialogs_.BlockWhileModal(nullptr, nullptr);
}

void Pins::Remove(const PinWindow& pin) {
  const auto it = std::find_if(pins_.begin(), pins_.end(),
                               [&pin](const auto& held) { return held.get() == &pin; });
  if (it == pins_.end()) return;
  std::erase(hidden_, pin.hwnd());
  pins_.erase(it);  // destroys the window
  if (pins_.empty() && when_empty_) when_empty_();
}

}  // namespace capture::win32
