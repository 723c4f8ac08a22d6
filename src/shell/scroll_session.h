// 长截图 in a capture: the frozen screen hidden, the live window under the selection scrolled and
// joined with a frame and a panel showing, and the capture window back afterwards.
#pragma once

#include <windows.h>

#include "platform/scroller.h"
#include "shell/capture_window.h"
#include "shell/settings_store.h"

namespace capture::win32 {

class ScrollSession : public Scroller {
 public:
  // `origin`: the capture window's top-left on the screen (the virtual screen's). Not owned:
  // the window and the settings outlive the session.
  ScrollSession(HINSTANCE instance, CaptureWindow& window, const SettingsStore& settings,
                PointI origin)
      : instance_(instance), window_(window), settings_(settings), origin_(origin) {}

  bool Scroll(const RectI& area, const std::function<std::u16string(Picture)>& deliver) override;

 private:
  HINSTANCE instance_;
  CaptureWindow& window_;
  const SettingsStore& settings_;
  PointI origin_;
};

}  // namespace capture::win32
