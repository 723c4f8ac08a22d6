#include "shell/pins.h"

#include <algorithm>
#include <optional>

#include "output/save_as.h"
#include "output/save_error.h"
#include "pin/pin_view.h"

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
  auto pin = std::make_unique<PinWindow>(*this, picture, top_left);
  if (!pin->Create(instance_)) return false;
  pins_.push_back(std::move(pin));
  return true;
}

ClipboardPin Pins::PinClipboard() {
  const std::optional<Picture> picture = clipboard_.GetBitmap();
  if (!picture || picture->pixels.empty()) return ClipboardPin::NoPicture;
  POINT pointer{};
  ::GetCursorPos(&pointer);
  const PointI at{pointer.x, pointer.y};
  const RectI monitor = Win32Screen::MonitorAt(at).area;
  const PointI top_left = pin::PlaceAtPointer({picture->width, picture->height}, at, monitor);
  return Add(*picture, top_left) ? ClipboardPin::Pinned : ClipboardPin::Failed;
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
