#include "shell/capture_window.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <new>
#include <utility>

#include "form/repaint.h"
#include "shell/message_loop.h"
#include "shell/mouse_input.h"
#include "shell/text.h"
#include "shell/window_owner.h"

namespace capture::win32 {
namespace {

constexpr int kIconId = 1;
// Posted when another window took the pointer capture while buttons were held here.
constexpr UINT kCaptureLost = WM_APP + 1;
// The run's one timer.
constexpr UINT_PTR kRunTimer = 1;
// A pump pass handles what is pending, not an endless stream of new messages.
constexpr int kMaxPumpedMessages = 10000;

bool IsPointerOrKey(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

void Invalidate(HWND hwnd, const RectI& r) {
  if (r.Empty()) return;
  const RECT rect{r.left, r.top, r.right, r.bottom};
  ::InvalidateRect(hwnd, &rect, FALSE);
}

}  // namespace

bool CaptureWindow::Create(HINSTANCE instance, CaptureRun& run, RectI area) {
  run_ = &run;
  form_ = &run.form();
  mirrored_ = form_->controls;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &CaptureWindow::Procedure;
  wc.hInstance = instance;
  // Shared icons belong to the system.
  wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE | LR_SHARED));
  wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.lpszClassName = kCaptureClass;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  edit_background_ = Brush(::CreateSolidBrush(RGB(255, 255, 255)));
  no_picture_ = Brush(::CreateSolidBrush(RGB(48, 48, 48)));
  ::CreateWindowExW(0, kCaptureClass, L"Capture", WS_POPUP | WS_CLIPCHILDREN, area.left, area.top,
                    area.right - area.left, area.bottom - area.top, nullptr, nullptr, instance,
                    this);
  if (!hwnd()) return false;
  native_.Create(hwnd(), instance);
  // Without its window the magnifier does not show; the capture works all the same.
  magnifier_.Create(instance, hwnd());
  return true;
}

CaptureWindow::~CaptureWindow() {
  // The children go first, while the fonts and brushes they use still exist.
  window_.Reset();
}

void CaptureWindow::Show() {
  Sync();
  if (!hwnd()) return;
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(hwnd());
  ::UpdateWindow(hwnd());
}

void CaptureWindow::Hide() {
  if (hwnd()) ::ShowWindow(hwnd(), SW_HIDE);
}

int CaptureWindow::Run() {
  return RunMessageLoop();
}

void CaptureWindow::SetPointer(Pointer pointer) {
  pointer_ = pointer;
  if (hwnd()) ::SetCursor(cursors_.For(pointer, form_->controls.scale.dpi));
}

void CaptureWindow::Refresh() {
  Sync();
  if (hwnd()) ::UpdateWindow(hwnd());
}

void CaptureWindow::PumpEvents() {
  Sync();
  if (hwnd()) ::UpdateWindow(hwnd());
  MSG msg{};
  for (int n = 0; n < kMaxPumpedMessages && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
    if (msg.message == WM_QUIT) {
      // The run is over; the message loop must still see it.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    // Pointer and key input queued before the copy (a click right after Enter) was meant for a
    // window that is now being copied: it is dropped, so no reaction changes what is copied.
    if (IsPointerOrKey(msg.message)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void CaptureWindow::FocusTextBox() {
  if (!hwnd() || !form_) return;
  // The box may have been shown by the reaction that asks for the focus: show it first.
  native_.Mirror(WindowControls());
  const HWND target = native_.Handle(ControlId::TextBox);
  ::SetFocus(target ? target : hwnd());
  // A text opened again is typed on at its end.
  if (target) {
    const int length = ::GetWindowTextLengthW(target);
    ::SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
  }
}

bool CaptureWindow::FontSizeListDropped() {
  const HWND handle = native_.Handle(ControlId::FontSizeList);
  return handle && ::SendMessageW(handle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void CaptureWindow::ShowFontSizeList(bool show) {
  if (form_) native_.Mirror(WindowControls());  // the list drops from where the model has it
  if (const HWND handle = native_.Handle(ControlId::FontSizeList)) {
    ::SendMessageW(handle, CB_SHOWDROPDOWN, show ? TRUE : FALSE, 0);
  }
}

SizeI CaptureWindow::DragDistance() {
  return {::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG)};
}

void CaptureWindow::MovePointer(PointI picture_point) {
  if (!hwnd() || !form_) return;
  const PointI window_point = form_->view().ToWindow(picture_point);
  POINT p{window_point.x, window_point.y};
  ::ClientToScreen(hwnd(), &p);
  ::SetCursorPos(p.x, p.y);
}

void CaptureWindow::StartTimer(int milliseconds) {
  // The same timer again is set anew: the earlier request is replaced.
  if (hwnd()) ::SetTimer(hwnd(), kRunTimer, static_cast<UINT>(std::max(1, milliseconds)), nullptr);
}

LRESULT CALLBACK CaptureWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  CaptureWindow* self = WindowOwner(hwnd, message, lparam, &CaptureWindow::window_);
  if (!self) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  // No exception may cross into the system's code that called us.
  try {
    return self->Handle(message, wparam, lparam);
  } catch (...) {
    self->ReportFailure(FailureOf(std::current_exception()));
  }
  return 0;
}

void CaptureWindow::ReportFailure(const RunError& error) noexcept {
  // A failure while the box is up (a repaint under it) is not reported again.
  if (reporting_ || !run_) return;
  reporting_ = true;
  try {
    run_->ReportFailure(error);
  } catch (...) {
    // Not even the box could be shown; the window goes on as it can.
  }
  reporting_ = false;
}

LRESULT CaptureWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      return OnMouse(message, wparam, lparam);
    case WM_KEYDOWN:
      return OnKeyDown(wparam);
    case WM_MOUSEWHEEL:
      return OnWheel(wparam, lparam);
    case WM_COMMAND:
      return OnCommand(wparam, lparam);
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
      // The window keeps covering the screen in physical pixels; only the chrome is rescaled.
      run_->DisplayChanged();
      Sync();
      return 0;
    case WM_CTLCOLOREDIT: {
      const auto dc = reinterpret_cast<HDC>(wparam);
      ::SetTextColor(dc, static_cast<COLORREF>(native_.TextColour(reinterpret_cast<HWND>(lparam))) &
                             0x00FFFFFFu);
      ::SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(edit_background_.get());
    }
    case WM_SETCURSOR:
      // One pointer for the whole window, its painted controls and its native children.
      ::SetCursor(cursors_.For(pointer_, form_->controls.scale.dpi));
      return TRUE;
    case WM_CAPTURECHANGED:
      if (held_ != 0 && reinterpret_cast<HWND>(lparam) != hwnd()) {
        ::PostMessageW(hwnd(), kCaptureLost, 0, 0);
      }
      return 0;
    case kCaptureLost:
      return OnCaptureLost();
    case WM_TIMER:
      return wparam == kRunTimer ? OnTimer() : ::DefWindowProcW(hwnd(), message, wparam, lparam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      std::vector<RectI> areas;
      try {
        areas = UpdateAreas();
      } catch (...) {
        // An area left invalid would bring WM_PAINT back at once, for ever.
        ::ValidateRect(hwnd(), nullptr);
        throw;
      }
      PaintSession paint(hwnd());
      Paint(paint.dc(), areas);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      ::GetClientRect(hwnd(), &client);
      Paint(reinterpret_cast<HDC>(wparam), {{0, 0, client.right, client.bottom}});
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd(), message, wparam, lparam);
  }
}

LRESULT CaptureWindow::OnMouse(UINT message, WPARAM wparam, LPARAM lparam) {
  const std::optional<MouseInput> in = UnpackMouse(message, wparam, lparam);
  if (!in) return 0;
  using Kind = MouseInput::Kind;
  switch (in->kind) {
    case Kind::Down:
      HoldPointer(in->buttons);
      run_->MouseDown(in->button, in->x, in->y, in->shift);
      break;
    case Kind::DoubleClick:
      HoldPointer(in->buttons);
      run_->DoubleClick(in->button, in->x, in->y);
      break;
    case Kind::Move:
      run_->MouseMove(in->buttons, in->x, in->y, in->shift);
      break;
    case Kind::Up:
      // The capture goes before the release's reaction runs: a click may open a modal dialog,
      // and the dialog must not find a capture to take away.
      HoldPointer(in->buttons);
      run_->MouseUp(in->button, in->x, in->y, in->shift);
      break;
  }
  Sync();
  return 0;
}

LRESULT CaptureWindow::OnKeyDown(WPARAM wparam) {
  // The keys go by their key-down alone; the characters the message loop makes of them
  // (Ctrl+C's 0x03, Enter's 0x0D) reach no reaction, so no key acts twice.
  run_->KeyPress(UnpackKey(wparam));
  Sync();
  return 0;
}

LRESULT CaptureWindow::OnWheel(WPARAM wparam, LPARAM lparam) {
  // A wheel of finer steps sends less than a notch at a time: each message still counts as one.
  const int delta = GET_WHEEL_DELTA_WPARAM(wparam);
  const int notches = delta / WHEEL_DELTA != 0 ? delta / WHEEL_DELTA : (delta > 0) - (delta < 0);
  // The wheel's point is in the system's coordinates.
  POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ::ScreenToClient(hwnd(), &p);
  run_->MouseWheel(notches, static_cast<float>(p.x), static_cast<float>(p.y));
  Sync();
  return 0;
}

void CaptureWindow::HoldPointer(int buttons) {
  held_ = buttons;
  if (!hwnd()) return;
  if (buttons != 0 && ::GetCapture() != hwnd()) ::SetCapture(hwnd());
  if (buttons == 0 && ::GetCapture() == hwnd()) ::ReleaseCapture();
}

LRESULT CaptureWindow::OnCaptureLost() {
  if (held_ == 0 || ::GetCapture() == hwnd()) return 0;
  // Another window (the font-size list, a dialog) took the pointer mid-press: the press is over,
  // with no release and no click.
  held_ = 0;
  run_->CaptureLost();
  Sync();
  return 0;
}

LRESULT CaptureWindow::OnTimer() {
  ::KillTimer(hwnd(), kRunTimer);  // one-shot: the system would repeat it
  run_->TimerElapsed();
  Sync();
  return 0;
}

LRESULT CaptureWindow::OnCommand(WPARAM wparam, LPARAM lparam) {
  const auto child = reinterpret_cast<HWND>(lparam);
  const ControlId id = native_.IdOf(child);
  if (id == ControlId::Window) return ::DefWindowProcW(hwnd(), WM_COMMAND, wparam, lparam);
  switch (HIWORD(wparam)) {
    case EN_CHANGE:
      if (native_.Mirroring()) return 0;
      run_->TextChanged(id, NativeControls::TextOf(child));
      break;
    case CBN_SELENDOK: {
      const LRESULT item = ::SendMessageW(child, CB_GETCURSEL, 0, 0);
      if (item == CB_ERR) return 0;
      const LRESULT length = ::SendMessageW(child, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
      std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(0, length)) + 1, L'\0');
      ::SendMessageW(child, CB_GETLBTEXT, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<std::size_t>(std::max<LRESULT>(0, length)));
      run_->ComboClick(id, Utf16(text));
      break;
    }
    default:
      return 0;
  }
  Sync();
  return 0;
}

Controls CaptureWindow::WindowControls() const {
  Controls shown = form_->controls;
  const PointI offset = form_->view().offset;
  if (offset == PointI{}) return shown;
  for (const Control& c : form_->controls.All()) {
    if (c.id == ControlId::Window || c.container != ControlId::Window) continue;
    shown[c.id].left -= static_cast<float>(offset.x);
    shown[c.id].top -= static_cast<float>(offset.y);
  }
  return shown;
}

void CaptureWindow::Sync() {
  if (!form_ || !hwnd()) return;
  // The one place the model's picture coordinates become the window's (input goes the other way
  // in CaptureRun): the controls, the surface's changes and the painting are moved by the view.
  const View& view = form_->view();
  const Controls shown = WindowControls();
  if (view.offset != mirrored_offset_) {
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    mirrored_offset_ = view.offset;
  } else {
    for (const RectI& r : ChangedAreas(mirrored_, shown)) Invalidate(hwnd(), r);
  }
  mirrored_ = shown;
  const DirtyRects drawn = surface_.TakeScreenChanges();
  for (const RectI& r : drawn.Rects()) Invalidate(hwnd(), view.ToWindow(r));
  native_.Mirror(mirrored_);
  POINT origin{0, 0};
  ::ClientToScreen(hwnd(), &origin);
  magnifier_.Mirror(mirrored_, {origin.x, origin.y});
  if (close_requested_ || form_->Closed()) window_.Reset();  // WM_DESTROY ends the loop
}

}  // namespace capture::win32
