#include "shell/cursors.h"

namespace capture::win32 {
namespace {

LPCWSTR CursorFor(Pointer pointer) {
  switch (pointer) {
    case Pointer::Cross:
      return IDC_CROSS;
    case Pointer::SizeAll:
      return IDC_SIZEALL;
    case Pointer::SizeNESW:
      return IDC_SIZENESW;
    case Pointer::SizeNS:
      return IDC_SIZENS;
    case Pointer::SizeNWSE:
      return IDC_SIZENWSE;
    case Pointer::SizeWE:
      return IDC_SIZEWE;
    case Pointer::Wait:
      return IDC_WAIT;
    case Pointer::Default:
    case Pointer::Arrow:
      return IDC_ARROW;
  }
  return IDC_ARROW;
}

}  // namespace

HCURSOR Cursors::For(Pointer pointer, int dpi) {
  // At 96 DPI the system's shared cursors are already the size.
  if (dpi == USER_DEFAULT_SCREEN_DPI) return ::LoadCursorW(nullptr, CursorFor(pointer));
  const auto key = std::make_pair(pointer, dpi);
  auto it = loaded_.find(key);
  if (it == loaded_.end()) {
    const UINT at = static_cast<UINT>(dpi);
    // The system's cursors have the same numbers as their OCR_ resources.
    OwnedCursor cursor(static_cast<HCURSOR>(::LoadImageW(
        nullptr, CursorFor(pointer), IMAGE_CURSOR, ::GetSystemMetricsForDpi(SM_CXCURSOR, at),
        ::GetSystemMetricsForDpi(SM_CYCURSOR, at), 0)));
    it = loaded_.emplace(key, std::move(cursor)).first;
  }
  return it->second ? it->second.get() : ::LoadCursorW(nullptr, CursorFor(pointer));
}

}  // namespace capture::win32
