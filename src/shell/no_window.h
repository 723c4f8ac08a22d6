// The window a save expects, where there is no capture window: a run for a script, a pin's save.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace capture::win32 {

// No pointer of its own to change, nothing to pump.
class NoWindow : public Window {
 public:
  void SetPointer(Pointer) override {}
  void Close() override {}
  void PumpEvents() override {}
  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
  void FocusTextBox() override {}
  bool FontSizeListDropped() override { return false; }
  void ShowFontSizeList(bool) override {}
  SizeI DragDistance() override { return {}; }
  void MovePointer(PointI) override {}
  void StartTimer(int) override {}
};

}  // namespace capture::win32
