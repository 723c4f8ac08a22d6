#include "shell/scroll_panel.h"

#include <windowsx.h>

#include <algorithm>

#include "shell/fonts.h"
#include "shell/window_owner.h"

namespace capture::win32 {
namespace {

constexpr wchar_t kPanelClass[] = L"Capture.ScrollPanel";
constexpr wchar_t kEdgeClass[] = L"Capture.ScrollFrame";
constexpr COLORREF kFrameColour = RGB(0, 122, 236);  // the selection's blue
constexpr COLORREF kPanelBack = RGB(222, 238, 255);  // the toolbar's
constexpr COLORREF kPanelEdge = RGB(128, 128, 255);
constexpr COLORREF kInk = RGB(43, 58, 78);
// Windows 10 2004 and later leave a window with this affinity out of every screen grab.
constexpr DWORD kExcludeFromCapture = 0x11;
constexpr int kEnterHotkey = 1, kEscapeHotkey = 2;
// Design sizes at 96 DPI.
constexpr int kEdge = 2, kGap = 1, kPanelGap = 4, kPanelHeight = 30, kPadding = 8;
constexpr int kButtonWidth = 52, kButtonHeight = 22, kButtonGap = 6;
constexpr std::array<const wchar_t*, 2> kButtons = {L"完成", L"取消"};

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  const Brush brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &rect, brush.get());
}

void Outline(HDC dc, const RECT& rect, COLORREF colour) {
  const Brush brush(::CreateSolidBrush(colour));
  ::FrameRect(dc, &rect, brush.get());
}

LRESULT CALLBACK EdgeProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const PaintSession paint(hwnd);
      RECT client{};
      ::GetClientRect(hwnd, &client);
      Fill(paint.dc(), client, kFrameColour);
      return 0;
    }
    default:
      return ::DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  return ::RegisterClassExW(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND MakePopup(HINSTANCE instance, const wchar_t* window_class, void* owner) {
  const HWND hwnd =
      ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, window_class, L"",
                        WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, owner);
  if (hwnd) ::SetWindowDisplayAffinity(hwnd, kExcludeFromCapture);  // refused before 2004: fine
  return hwnd;
}

}  // namespace

ScrollPanel::~ScrollPanel() {
  // The hotkeys belong to the panel's window: they go before it.
  enter_.reset();
  escape_.reset();
}

bool ScrollPanel::Create(HINSTANCE instance, const RectI& area, int dpi) {
  area_ = area;
  dpi_ = dpi;
  if (!RegisterWindowClass(instance, kPanelClass, &ScrollPanel::Procedure) ||
      !RegisterWindowClass(instance, kEdgeClass, &EdgeProcedure)) {
    return false;
  }
  MakePopup(instance, kPanelClass, this);
  if (!hwnd()) return false;
  font_ = MakeFont(kUiFace, 9, dpi);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const RECT rect{area.left, area.top, area.right, area.bottom};
  ::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
  monitor_ = info.rcMonitor;

  // Just outside the area, never over it: a grab of the area never shows the frame.
  const int t = std::max(1, Scaled(kEdge)), g = kGap;
  const std::array<RECT, 4> edges = {{
      {area.left - g - t, area.top - g - t, area.right + g + t, area.top - g},
      {area.left - g - t, area.bottom + g, area.right + g + t, area.bottom + g + t},
      {area.left - g - t, area.top - g, area.left - g, area.bottom + g},
      {area.right + g, area.top - g, area.right + g + t, area.bottom + g},
  }};
  for (std::size_t i = 0; i < edges.size(); ++i) {
    edges_[i] = OwnedWindow(MakePopup(instance, kEdgeClass, nullptr));
    if (!edges_[i]) continue;  // the panel works without its frame
    const RECT& e = edges[i];
    ::SetWindowPos(edges_[i].get(), HWND_TOPMOST, e.left, e.top, e.right - e.left, e.bottom - e.top,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  // The window being scrolled keeps the keyboard focus (and with it, on systems that send the
  // wheel to the focus, its wheel): Enter and Escape come as hotkeys while the panel lives. When
  // another program holds them, the buttons still work.
  enter_.emplace(hwnd(), kEnterHotkey, MOD_NOREPEAT, VK_RETURN);
  escape_.emplace(hwnd(), kEscapeHotkey, MOD_NOREPEAT, VK_ESCAPE);
  Say(L"");
  ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  return true;
}

void ScrollPanel::Say(const std::wstring& text) {
  if (!hwnd() || (text == text_ && width_ > 0)) return;
  text_ = text;
  ::SetWindowTextW(hwnd(), text.c_str());
  // As wide as the text or a height of five digits, whichever is wider, so it does not jitter.
  int text_width = 0;
  {
    const WindowDc screen(nullptr);
    const SelectedObject font(screen.get(), font_.get());
    for (const std::wstring& sample : {text, std::wstring(L"请滚动窗口，高度 99999 像素")}) {
      SIZE size{};
      ::GetTextExtentPoint32W(screen.get(), sample.c_str(), static_cast<int>(sample.size()), &size);
      text_width = std::max(text_width, static_cast<int>(size.cx));
    }
  }
  const int width = Scaled(kPadding) + text_width + Scaled(kPadding) + 2 * Scaled(kButtonWidth) +
                    Scaled(kButtonGap) + Scaled(kPadding / 2);
  Place(width, Scaled(kPanelHeight));
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  ::UpdateWindow(hwnd());
}

void ScrollPanel::Place(int width, int height) {
  width_ = width;
  height_ = height;
  const int outside = kGap + std::max(1, Scaled(kEdge)) + Scaled(kPanelGap);
  int top = area_.bottom + outside;
  if (top + height > monitor_.bottom) top = area_.top - outside - height;
  bool inside = false;
  if (top < monitor_.top) {
    // No room above or below: inside the area's bottom-right corner, left out of grabs where the
    // system can.
    top = area_.bottom - height - Scaled(kPanelGap);
    inside = true;
  }
  const int right = inside ? area_.right - Scaled(kPanelGap) : area_.right + outside;
  const int left = std::max(static_cast<int>(monitor_.left),
                            std::min(right - width, static_cast<int>(monitor_.right) - width));
  ::SetWindowPos(hwnd(), HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE);
}

RECT ScrollPanel::ButtonRect(int which) const {
  const int right =
      width_ - Scaled(kPadding / 2) - (which == 0 ? Scaled(kButtonWidth) + Scaled(kButtonGap) : 0);
  const int top = (height_ - Scaled(kButtonHeight)) / 2;
  return {right - Scaled(kButtonWidth), top, right, top + Scaled(kButtonHeight)};
}

void ScrollPanel::Paint(HDC dc) const {
  const RECT all{0, 0, width_, height_};
  Fill(dc, all, kPanelBack);
  Outline(dc, all, kPanelEdge);
  const SelectedObject font(dc, font_.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kInk);
  RECT text{Scaled(kPadding), 0, ButtonRect(0).left, height_};
  ::DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  for (int i = 0; i < 2; ++i) {
    RECT button = ButtonRect(i);
    Fill(dc, button, i == pressed_ ? RGB(148, 217, 255) : RGB(255, 255, 255));
    Outline(dc, button, kPanelEdge);
    const wchar_t* caption = kButtons[static_cast<std::size_t>(i)];
    ::DrawTextW(dc, caption, -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void ScrollPanel::OnButton(bool down, POINT p) {
  int under = -1;
  for (int i = 0; i < 2; ++i) {
    const RECT r = ButtonRect(i);
    if (::PtInRect(&r, p)) under = i;
  }
  if (down) {
    pressed_ = under;
    if (under >= 0) ::SetCapture(hwnd());
  } else {
    if (::GetCapture() == hwnd()) ::ReleaseCapture();
    if (under >= 0 && under == pressed_) choice_ = under == 0 ? Choice::Finish : Choice::Cancel;
    pressed_ = -1;
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT CALLBACK ScrollPanel::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ScrollPanel* self = WindowOwner(hwnd, message, lparam, &ScrollPanel::window_);
  if (!self) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT ScrollPanel::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const PaintSession paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      OnButton(message == WM_LBUTTONDOWN, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_HOTKEY:
      if (wparam == kEnterHotkey) choice_ = Choice::Finish;
      if (wparam == kEscapeHotkey) choice_ = Choice::Cancel;
      return 0;
    default:
      return ::DefWindowProcW(hwnd(), message, wparam, lparam);
  }
}

}  // namespace capture::win32
