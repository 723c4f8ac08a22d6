#include "shell/pin_window.h"

#include <windowsx.h>

#include <algorithm>
#include <new>

#include "pin/pin_pixels.h"
#include "shell/mouse_input.h"
#include "shell/win32_screen.h"
#include "shell/window_owner.h"

namespace capture::win32 {
namespace {

constexpr wchar_t kPinClass[] = L"Capture.Pin";
constexpr wchar_t kPinTitle[] = L"贴图";

pin::Target TargetOf(const Dib& dib, int margin) {
  return {dib.Row(margin) + margin, dib.width() - 2 * margin, dib.height() - 2 * margin,
          dib.width()};
}

// The framed picture: the picture's pixels inside a frame of `margin` pixels.
Dib Framed(PixelView picture, int margin) {
  Dib framed(picture.width + 2 * margin, picture.height + 2 * margin);
  if (!framed.valid()) throw std::bad_alloc();
  pin::DrawFrame({framed.pixels(), framed.width(), framed.height(), framed.width()}, margin);
  pin::DrawPicture(picture, TargetOf(framed, margin));
  return framed;
}

PointI ScreenPoint(HWND hwnd, LPARAM lparam) {
  POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ::ClientToScreen(hwnd, &p);
  return {p.x, p.y};
}

PointI PointerNow() {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

}  // namespace

PinWindow::PinWindow(Owner& owner, const Picture& picture, PointI top_left)
    : owner_(owner),
      view_({picture.width, picture.height}, top_left, Win32Screen::MonitorAt(top_left).dpi),
      framed_(Framed(PixelView::Of(picture), view_.frame().margin())) {
  LimitToMonitor(top_left);
}

PinWindow::PinWindow(Owner& owner, const Picture& picture, const pin::KeptPin& kept,
                     PointI top_left)
    : owner_(owner),
      view_({picture.width, picture.height}, kept, top_left, Win32Screen::MonitorAt(top_left).dpi),
      framed_(Framed(PixelView::Of(picture), view_.frame().margin())) {
  LimitToMonitor(top_left);
}

void PinWindow::LimitToMonitor(PointI top_left) {
  const RectI monitor = Win32Screen::MonitorAt(top_left).area;
  view_.LimitHeight(monitor.bottom - monitor.top - 2 * view_.frame().margin());
}

bool PinWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &PinWindow::Procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_SIZEALL);  // shared: the system's
  wc.lpszClassName = kPinClass;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  const RectI r = view_.WindowRect();
  // A tool window has no taskbar button; a layered one takes its pixels, alpha included, from
  // UpdateLayeredWindow, so the shadow blends with whatever lies under it.
  ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPinClass, kPinTitle,
                    WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                    instance, this);
  if (!hwnd()) return false;
  Present();
  Show(true);
  return true;
}

void PinWindow::Show(bool shown) {
  // Shown without activation: whoever had the keyboard keeps it.
  ::ShowWindow(hwnd(), shown ? SW_SHOWNOACTIVATE : SW_HIDE);
}

Picture PinWindow::TakePicture() const {
  const SizeI size = view_.picture_size();
  const int m = view_.frame().margin();
  Picture picture(size.width, size.height);
  for (int y = 0; y < size.height; ++y) {
    const std::uint32_t* row = framed_.Row(y + m) + m;
    for (int x = 0; x < size.width; ++x) picture.at(x, y) = row[x] & 0x00FFFFFFu;
  }
  return picture;
}

void PinWindow::FrameAtActualSize() {
  const int m = view_.frame().margin();
  const int old = (framed_.width() - view_.picture_size().width) / 2;
  if (m == old) return;
  const pin::Target inner = TargetOf(framed_, old);
  framed_ = Framed({inner.pixels, inner.width, inner.height, inner.stride}, m);
}

void PinWindow::Present() {
  const RectI rect = view_.WindowRect();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const Dib* shown = &framed_;
  Dib zoomed;  // only while it is handed over: the system keeps the window's pixels
  if (view_.zoom() != 100) {
    const SizeI whole = view_.zoomed_size();
    const int m = view_.frame().margin();
    zoomed = Dib(whole.width + 2 * m, whole.height + 2 * m);
    if (!zoomed.valid()) throw std::bad_alloc();
    pin::DrawFrame({zoomed.pixels(), zoomed.width(), zoomed.height(), zoomed.width()}, m);
    const pin::Target picture = TargetOf(framed_, m);
    pin::DrawPicture({picture.pixels, picture.width, picture.height, picture.stride},
                     TargetOf(zoomed, m));
    shown = &zoomed;
  }
  Dib part;  // of a picture taller than its monitor, the rows shown, framed
  if (shown->height() > height) {
    part = Dib(width, height);
    if (!part.valid()) throw std::bad_alloc();
    const int m = view_.frame().margin();
    pin::DrawFrame({part.pixels(), width, height, width}, m);
    const pin::Target from = TargetOf(*shown, m), to = TargetOf(part, m);
    for (int y = 0; y < to.height; ++y) {
      std::copy_n(from.Row(view_.scroll() + y), to.width, to.Row(y));
    }
    shown = &part;
  }
  POINT at{rect.left, rect.top};
  SIZE size{width, height};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(view_.opacity() * 255 / 100), AC_SRC_ALPHA};
  ::UpdateLayeredWindow(hwnd(), nullptr, &at, &size, shown->dc(), &from, 0, &blend, ULW_ALPHA);
}

void PinWindow::Reposition() {
  const RectI rect = view_.WindowRect();
  ::SetWindowPos(hwnd(), nullptr, rect.left, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PinWindow::Do(pin::Command command, PointI pointer, PointI step) {
  switch (command) {
    case pin::Command::Move:
      view_.MoveBy(step.x, step.y);
      Reposition();
      return true;
    case pin::Command::ActualSize:
      if (view_.ActualSize(pointer)) Present();
      return true;
    case pin::Command::Copy:
    case pin::Command::Save:
      owner_.Act(*this, command);
      return true;
    case pin::Command::Close:
    case pin::Command::CloseAll:
      owner_.Act(*this, command);
      return false;
  }
  return true;
}

LRESULT PinWindow::OnKey(WPARAM wparam) {
  if (const std::optional<pin::Action> action = pin::ActionOfKey(UnpackKey(wparam))) {
    Do(action->command, PointerNow(), action->step);
  }
  return 0;
}

void PinWindow::OnMenu(PointI at) {
  const Menu menu(::CreatePopupMenu());
  if (!menu) return;
  for (std::size_t i = 0; i < pin::kMenu.size(); ++i) {
    ::AppendMenuW(menu.get(), MF_STRING, i + 1,
                  reinterpret_cast<const wchar_t*>(pin::kMenu[i].text));
  }
  const auto chosen = static_cast<std::size_t>(::TrackPopupMenuEx(
      menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, hwnd(), nullptr));
  if (chosen >= 1 && chosen <= pin::kMenu.size()) Do(pin::kMenu[chosen - 1].command, at);
}

LRESULT CALLBACK PinWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  PinWindow* self = WindowOwner(hwnd, message, lparam, &PinWindow::window_);
  if (!self) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  // No exception may cross into the system's code that called us; a pin that cannot be drawn
  // anew stays as the system shows it.
  try {
    return self->Handle(message, wparam, lparam);
  } catch (...) {
    return 0;
  }
}

LRESULT PinWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      ::SetCapture(hwnd());
      view_.StartDrag(ScreenPoint(hwnd(), lparam));
      return 0;
    case WM_MOUSEMOVE:
      if (view_.dragging()) {
        view_.DragTo(ScreenPoint(hwnd(), lparam));
        Reposition();
      }
      return 0;
    case WM_LBUTTONUP:
      view_.EndDrag();
      ::ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      view_.EndDrag();
      return 0;
    case WM_LBUTTONDBLCLK:
      Do(pin::Command::Close, {});
      return 0;
    case WM_MOUSEWHEEL: {
      const bool ctrl = (GET_KEYSTATE_WPARAM(wparam) & MK_CONTROL) != 0;
      const bool shift = (GET_KEYSTATE_WPARAM(wparam) & MK_SHIFT) != 0;
      // The wheel's point is on the screen already.
      if (view_.Wheel(GET_WHEEL_DELTA_WPARAM(wparam), ctrl,
                      {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}, shift)) {
        Present();
      }
      return 0;
    }
    case WM_CONTEXTMENU: {
      // From the keyboard (Shift+F10, the menu key) the point is (-1, -1): the menu opens at the
      // pointer.
      const bool keyboard = GET_X_LPARAM(lparam) == -1 && GET_Y_LPARAM(lparam) == -1;
      OnMenu(keyboard ? PointerNow() : PointI{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    }
    case WM_KEYDOWN:
      return OnKey(wparam);
    case WM_DPICHANGED:
      // The picture stays 1:1 in physical pixels where it is: the suggested rectangle would
      // scale it. Only the frame takes the new monitor's size.
      view_.SetDpi(LOWORD(wparam));
      FrameAtActualSize();
      Present();
      return 0;
    case WM_CLOSE:
      Do(pin::Command::Close, {});
      return 0;
    case WM_ENDSESSION:
      if (wparam != FALSE) owner_.SessionEnding();
      return 0;
    default:
      return ::DefWindowProcW(hwnd(), message, wparam, lparam);
  }
}

}  // namespace capture::win32
