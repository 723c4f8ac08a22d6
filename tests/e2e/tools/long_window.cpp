// A window showing a long picture that scrolls: what a scrolling capture joins, and the truth it
// is compared with. The picture is drawn from its row numbers alone, so every run shows the same.
//
// Usage: long_window.exe left top width height [option...]
//   --rows N           rows of content (default 3000)
//   --step N           rows a wheel notch or SB_LINEDOWN scrolls (default 60)
//   --header N         rows of a fixed header at the top of the client area (default 0)
//   --footer N         rows of a fixed footer at the bottom (default 0)
//   --scrollbar        a classic vertical scroll bar (WS_VSCROLL)
//   --no-wheel         the wheel scrolls nothing; only WM_VSCROLL does
//   --no-line-down     SB_LINEDOWN scrolls nothing (the scroll bar's thumb and track still do)
//   --smooth           each notch scrolls in five steps over 150 ms
//   --lazy             rows show blank until 300 ms after they scroll in
//   --caret            a caret blinking every 500 ms on content rows 40 to 56
//   --repeat FROM,N    from content row FROM on, the content repeats every N rows
//   --truth PATH       writes the whole picture (header, every content row, footer) as a binary
//                      PPM (P6) before the window shows
// The window has no frame; its title is "Long". It ends when the process is ended.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Options {
  int rows = 3000;
  int step = 60;
  int header = 0;
  int footer = 0;
  bool scrollbar = false;
  bool no_wheel = false;
  bool no_line_down = false;
  bool smooth = false;
  bool lazy = false;
  bool caret = false;
  int repeat_from = -1;
  int period = 0;
  std::wstring truth;
};

constexpr UINT_PTR kSmoothTimer = 1;
constexpr UINT_PTR kLazyTimer = 2;
constexpr UINT_PTR kCaretTimer = 3;
constexpr int kSmoothSteps = 5;  // five steps of 30 ms: 150 ms a notch
constexpr DWORD kLazyMs = 300;
constexpr int kCaretTop = 40;  // content rows 40 to 56, columns 30 and 31
constexpr int kCaretRows = 16;
constexpr int kCaretLeft = 30;
constexpr std::uint32_t kBlank = 0xFFFFFF;

std::uint32_t Mix(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  h *= 0x846ca68bu;
  return h ^ (h >> 16);
}

// Content row `r`, pixel `x`: lines of coloured "text" 12 rows high every 20 rows on white, each
// line's marks different, and a coloured bar at the left that changes with the row number.
std::uint32_t ContentPixel(const Options& o, int x, int r) {
  if (o.period > 0 && r >= o.repeat_from) r = o.repeat_from + (r - o.repeat_from) % o.period;
  const auto row = static_cast<std::uint32_t>(r);
  if (x < 8) return Mix(row) & 0xFFFFFF;
  if (r % 20 >= 12) return kBlank;
  const std::uint32_t h = Mix(row * 7919u + static_cast<std::uint32_t>(x / 3) * 104729u);
  return (h & 3u) == 0 ? (h >> 8) & 0x7F7F7F : kBlank;
}

std::uint32_t BandPixel(int x, int y, std::uint32_t tint) {
  return tint | ((static_cast<std::uint32_t>(x * 5 + y * 3) & 0x3F) << 8);
}

struct State {
  Options o;
  int width = 0;  // the client area's
  int height = 0;
  int position = 0;  // content row shown at the top of the view
  int target = 0;    // where a smooth scroll is going
  int smooth_left = 0;
  int wheel_rest = 0;  // wheel delta short of a notch
  bool caret_on = true;
  std::vector<DWORD> seen;  // per content row: when it scrolled in (0: never)

  int View() const { return height - o.header - o.footer; }
  int Last() const { return std::max(0, o.rows - View()); }
};

// The pixel of the window's client area at (x, y), as it shows now.
std::uint32_t ShownPixel(const State& s, int x, int y, DWORD now) {
  if (y < s.o.header) return BandPixel(x, y, 0x200040);
  if (y >= s.height - s.o.footer) return BandPixel(x, y, 0x402000);
  const int r = s.position + y - s.o.header;
  if (r >= s.o.rows) return kBlank;
  if (s.o.lazy && now - s.seen[static_cast<std::size_t>(r)] < kLazyMs) return kBlank;
  if (s.o.caret && s.caret_on && r >= kCaretTop && r < kCaretTop + kCaretRows &&
      (x == kCaretLeft || x == kCaretLeft + 1))
    return 0;
  return ContentPixel(s.o, x, r);
}

void MarkSeen(State& s) {
  if (!s.o.lazy) return;
  const DWORD now = GetTickCount();
  for (int r = s.position; r < std::min(s.o.rows, s.position + s.View()); ++r) {
    DWORD& seen = s.seen[static_cast<std::size_t>(r)];
    if (seen == 0) seen = now;
  }
}

void UpdateScrollBar(HWND window, const State& s) {
  if (!s.o.scrollbar) return;
  SCROLLINFO info{sizeof info, SIF_ALL, 0, s.o.rows - 1, static_cast<UINT>(s.View()),
                  s.position,  0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void MoveTo(HWND window, State& s, int position) {
  position = std::clamp(position, 0, s.Last());
  if (position == s.position) return;
  s.position = position;
  MarkSeen(s);
  UpdateScrollBar(window, s);
  InvalidateRect(window, nullptr, FALSE);
}

// Scrolls by `rows`: at once, or in steps over 150 ms.
void ScrollBy(HWND window, State& s, int rows) {
  s.target = std::clamp((s.smooth_left > 0 ? s.target : s.position) + rows, 0, s.Last());
  if (!s.o.smooth) {
    MoveTo(window, s, s.target);
    return;
  }
  s.smooth_left = kSmoothSteps;
  SetTimer(window, kSmoothTimer, 30, nullptr);
}

void Paint(HWND window, const State& s) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, s.width, -s.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const DWORD now = GetTickCount();
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(s.width) +
               static_cast<std::size_t>(x)] = ShownPixel(s, x, y, now);
      }
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, 0, 0, s.width, s.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
  }
  EndPaint(window, &paint);
}

void OnVScroll(HWND window, State& s, WPARAM wparam) {
  switch (LOWORD(wparam)) {
    case SB_LINEDOWN:
      if (!s.o.no_line_down) ScrollBy(window, s, s.o.step);
      break;
    case SB_LINEUP:
      ScrollBy(window, s, -s.o.step);
      break;
    case SB_PAGEDOWN:
      ScrollBy(window, s, s.View());
      break;
    case SB_PAGEUP:
      ScrollBy(window, s, -s.View());
      break;
    case SB_TOP:
      MoveTo(window, s, 0);
      break;
    case SB_BOTTOM:
      MoveTo(window, s, s.Last());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(window, SB_VERT, &info);
      MoveTo(window, s, info.nTrackPos);
      break;
    }
    default:
      break;
  }
}

void OnTimer(HWND window, State& s, WPARAM id) {
  if (id == kSmoothTimer) {
    const int left = s.smooth_left--;
    MoveTo(window, s, s.position + (s.target - s.position) / left);
    if (s.smooth_left <= 0) KillTimer(window, kSmoothTimer);
  } else if (id == kCaretTimer) {
    s.caret_on = !s.caret_on;
    const int top = s.o.header + kCaretTop - s.position;
    RECT caret{kCaretLeft, std::max(top, s.o.header), kCaretLeft + 2,
               std::min(top + kCaretRows, s.height - s.o.footer)};
    if (caret.top < caret.bottom) InvalidateRect(window, &caret, FALSE);
  } else if (id == kLazyTimer) {
    InvalidateRect(window, nullptr, FALSE);  // rows whose time came show
  }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* s = reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window, *s);
      return 0;
    case WM_MOUSEWHEEL: {
      if (s->o.no_wheel) return 0;
      s->wheel_rest += GET_WHEEL_DELTA_WPARAM(wparam);
      const int notches = s->wheel_rest / WHEEL_DELTA;
      s->wheel_rest -= notches * WHEEL_DELTA;
      if (notches != 0) ScrollBy(window, *s, -notches * s->o.step);
      return 0;
    }
    case WM_VSCROLL:
      OnVScroll(window, *s, wparam);
      return 0;
    case WM_TIMER:
      OnTimer(window, *s, wparam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

// The whole picture: the header, every content row once, the footer; the client area's width.
bool WriteTruth(const State& s, const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return false;
  const int rows = s.o.header + s.o.rows + s.o.footer;
  std::fprintf(file, "P6\n%d %d\n255\n", s.width, rows);
  std::vector<unsigned char> line(static_cast<std::size_t>(s.width) * 3);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < s.width; ++x) {
      std::uint32_t p = 0;
      if (y < s.o.header)
        p = BandPixel(x, y, 0x200040);
      else if (y >= s.o.header + s.o.rows)
        p = BandPixel(x, y - rows + s.height, 0x402000);
      else
        p = ContentPixel(s.o, x, y - s.o.header);
      const auto at = static_cast<std::size_t>(x) * 3;
      line[at] = static_cast<unsigned char>(p >> 16);
      line[at + 1] = static_cast<unsigned char>(p >> 8);
      line[at + 2] = static_cast<unsigned char>(p);
    }
    std::fwrite(line.data(), 1, line.size(), file);
  }
  return std::fclose(file) == 0;
}

bool ParseOptions(int argc, wchar_t** argv, Options& o) {
  const std::pair<const wchar_t*, bool*> flags[] = {{L"--scrollbar", &o.scrollbar},
                                                    {L"--no-wheel", &o.no_wheel},
                                                    {L"--no-line-down", &o.no_line_down},
                                                    {L"--smooth", &o.smooth},
                                                    {L"--lazy", &o.lazy},
                                                    {L"--caret", &o.caret}};
  const std::pair<const wchar_t*, int*> numbers[] = {{L"--rows", &o.rows},
                                                     {L"--step", &o.step},
                                                     {L"--header", &o.header},
                                                     {L"--footer", &o.footer}};
  for (int i = 5; i < argc; ++i) {
    const std::wstring name = argv[i];
    bool known = false;
    for (const auto& [flag, value] : flags) {
      if (name == flag) *value = known = true;
    }
    if (known) continue;
    if (i + 1 >= argc) return false;
    const wchar_t* value = argv[++i];
    for (const auto& [number, field] : numbers) {
      if (name == number) {
        *field = std::wcstol(value, nullptr, 10);
        known = true;
      }
    }
    if (name == L"--truth") {
      o.truth = value;
    } else if (name == L"--repeat") {
      wchar_t* rest = nullptr;
      o.repeat_from = std::wcstol(value, &rest, 10);
      if (*rest != L',') return false;
      o.period = std::wcstol(rest + 1, nullptr, 10);
    } else if (!known) {
      return false;
    }
  }
  return o.rows > 0 && o.step > 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 5) return 2;
  long rect[4];
  for (int i = 0; i < 4; ++i) rect[i] = std::wcstol(argv[i + 1], nullptr, 10);
  State s;
  const bool parsed = ParseOptions(argc, argv, s.o);
  LocalFree(argv);
  if (!parsed) return 2;

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"LongWindow";
  if (RegisterClassExW(&window_class) == 0) return 1;
  const DWORD style = WS_POPUP | (s.o.scrollbar ? WS_VSCROLL : 0);
  HWND window = CreateWindowExW(0, L"LongWindow", L"Long", style, rect[0], rect[1], rect[2],
                                rect[3], nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  RECT client;
  GetClientRect(window, &client);
  s.width = client.right;
  s.height = client.bottom;
  if (s.View() <= 0) return 2;
  s.seen.assign(static_cast<std::size_t>(s.o.rows), 0);
  // The rows shown at the start are drawn already.
  for (int r = 0; r < std::min(s.o.rows, s.View()); ++r) s.seen[static_cast<std::size_t>(r)] = 1;
  if (!s.o.truth.empty() && !WriteTruth(s, s.o.truth)) return 3;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
  UpdateScrollBar(window, s);
  if (s.o.lazy) SetTimer(window, kLazyTimer, 50, nullptr);
  if (s.o.caret) SetTimer(window, kCaretTimer, 500, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
