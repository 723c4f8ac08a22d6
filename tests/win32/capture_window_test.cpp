#include "shell/capture_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "art/art.h"
#include "platform/fake/fake_platform.h"
#include "shell/native_controls.h"

namespace capture::win32 {
namespace {

constexpr int kWidth = 320, kHeight = 200;

// The real window, surface and native controls over a fake screen, clipboard and dialogs.
class CaptureWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.Create(::GetModuleHandleW(nullptr), run, {0, 0, kWidth, kHeight}));
    run.Load();
    window.Show();
  }
  void TearDown() override { QuitStatus(); }
  // What the window paints, all of it, through WM_PRINTCLIENT.
  Picture Printed() {
    Dib dib(kWidth, kHeight);
    ::SendMessageW(window.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
    ::GdiFlush();
    Picture out(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) out.at(x, y) = dib.Row(y)[x] & 0xFFFFFFu;
    }
    return out;
  }
  // Runs what is pending; the exit status of the message loop once the window has ended it.
  std::optional<WPARAM> QuitStatus() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return msg.wParam;
      ::DispatchMessageW(&msg);
    }
    return std::nullopt;
  }
  void ShowStylePanel() {
    form[ControlId::StylePanel].left = 40;
    form[ControlId::StylePanel].top = 60;
    form[ControlId::StylePanel].visible = true;
    window.PumpEvents();
  }

  Picture screen_picture = fake::NoisePicture(kWidth, kHeight, 5);
  fake::FakeScreen screen{screen_picture};
  fake::FakeClipboard clipboard;
  fake::FakeDialogs dialogs;
  fake::FakeGdiplus gdiplus;
  fake::FakeSaveMemory saving;
  Win32Surface surface;
  Cursors cursors;
  CaptureWindow window{surface, cursors};
  Platform platform{window, surface, screen, clipboard, dialogs, gdiplus, gdiplus, saving};
  CaptureForm form{window, screen};
  CaptureRun run{form, platform};
};

TEST_F(CaptureWindowTest, Show_PaintsTheFrozenScreenAndNothingElse) {
  EXPECT_EQ(Printed(), screen_picture);
  RECT rect{};
  ::GetWindowRect(window.hwnd(), &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, kWidth);
  EXPECT_EQ(rect.bottom, kHeight);
}

TEST_F(CaptureWindowTest, ShownControls_ArePaintedOverThePictureInsideTheirBounds) {
  Control& selection = form[ControlId::Selection];
  selection.left = 20, selection.top = 30, selection.width = 100, selection.height = 50;
  selection.visible = true;
  Control& handle = form[HandleId(Handle::TopLeft)];
  handle.left = 200, handle.top = 150, handle.visible = true;
  Control& label = form[ControlId::SizeLabel];
  label.left = 22, label.top = 120, label.caption = u"100x50", label.visible = true;
  window.PumpEvents();

  const Picture shown = Printed();

  const std::uint32_t frame = PixelOf(selection.border_colour);
  for (auto [x, y] : {std::pair{20, 30}, {119, 30}, {20, 79}, {119, 79}, {70, 30}, {20, 55}}) {
    EXPECT_EQ(shown.at(x, y), frame) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{21, 31}, {70, 55}, {120, 30}, {20, 80}, {19, 30}}) {
    EXPECT_EQ(shown.at(x, y), screen_picture.at(x, y)) << x << "," << y;
  }
  EXPECT_EQ(shown.at(201, 151), ArtIcon(Art::Handle).argb[5] & 0xFFFFFFu);
  int white = 0, ink = 0;
  for (int y = 120; y < 137; ++y) {
    for (int x = 22; x < 100; ++x) {
      white += shown.at(x, y) == 0xFFFFFFu ? 1 : 0;
      ink += shown.at(x, y) != 0xFFFFFFu && shown.at(x, y) != screen_picture.at(x, y) ? 1 : 0;
    }
  }
  EXPECT_GT(white, 100);  // the label's box
  EXPECT_GT(ink, 20);     // its text
}

TEST_F(CaptureWindowTest, SurfaceChanges_InvalidateOnlyTheirOwnArea) {
  surface.SetPersistent(false);
  surface.Line(10, 10, 300, 10, Rgb(255, 0, 0));
  ::SendMessageW(window.hwnd(), WM_KEYDOWN, 'A', 0);  // any event mirrors the surface

  Region update(::CreateRectRgn(0, 0, 0, 0));
  ::GetUpdateRgn(window.hwnd(), update.get(), FALSE);
  EXPECT_TRUE(::PtInRegion(update.get(), 10, 10));
  EXPECT_TRUE(::PtInRegion(update.get(), 300, 10));
  EXPECT_FALSE(::PtInRegion(update.get(), 150, 100));
  ::UpdateWindow(window.hwnd());
  EXPECT_EQ(Printed().at(150, 10), PixelOf(Rgb(255, 0, 0)));
}

TEST_F(CaptureWindowTest, Escape_ClosesTheWindowAndEndsTheRunWithStatusZero) {
  ::SendMessageW(window.hwnd(), WM_CHAR, VK_ESCAPE, 0);  // a character is no key
  EXPECT_FALSE(form.Closed());
  ::SendMessageW(window.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);

  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(window.hwnd(), nullptr);
  EXPECT_EQ(QuitStatus(), 0u);
}

TEST_F(CaptureWindowTest, NativeControls_AreMadeOnlyWhenTheModelFirstShowsOne) {
  EXPECT_EQ(window.NativeHandle(ControlId::TextBox), nullptr);  // start-up shows none
  form[ControlId::Toolbar].visible = true;
  window.PumpEvents();
  EXPECT_NE(window.NativeHandle(ControlId::TextBox), nullptr);
  EXPECT_FALSE(::IsWindowVisible(window.NativeHandle(ControlId::TextBox)));
}

TEST_F(CaptureWindowTest, Escape_InTheTextBox_ClosesTheWindowToo) {
  form[ControlId::TextBox].visible = true;
  window.FocusTextBox();
  const HWND edit = window.NativeHandle(ControlId::TextBox);
  ASSERT_EQ(::GetFocus(), edit);

  ::SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);

  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(window.hwnd(), nullptr);
}

TEST_F(CaptureWindowTest, Press_CapturesThePointerUntilTheLastButtonIsUp) {
  const HWND hwnd = window.hwnd();
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(::GetCapture(), hwnd);

  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(12, 12));
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(CaptureWindowTest, TheTextBox_FollowsTheModelAndTellsTheFormWhatTheUserTyped) {
  Control& box = form[ControlId::TextBox];
  box.left = 50, box.top = 60, box.caption = u"你好", box.font_points = 18, box.visible = true;
  window.PumpEvents();
  const HWND edit = window.NativeHandle(ControlId::TextBox);

  // Its text starts where the text tool will draw it, and a line of the font fits.
  RECT text{};
  ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  ::MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&text), 2);
  EXPECT_TRUE(::IsWindowVisible(edit));
  EXPECT_EQ(text.left, 50);
  EXPECT_EQ(text.top, 60);
  EXPECT_GE(text.bottom - text.top, 24);  // 18 points at 96 dots per inch
  EXPECT_EQ(NativeControls::TextOf(edit), u"你好");

  ::SetWindowTextW(edit, L"截屏");  // as typing would
  EXPECT_EQ(box.caption, u"截屏");

  box.visible = false;
  window.PumpEvents();
  EXPECT_FALSE(::IsWindowVisible(edit));
}

TEST_F(CaptureWindowTest, FontSizeList_DropsWithoutShowingItsFaceAndReportsTheChoice) {
  ShowStylePanel();
  const HWND combo = window.NativeHandle(ControlId::FontSizeList);
  Region region(::CreateRectRgn(0, 0, 1, 1));
  EXPECT_EQ(::GetWindowRgn(combo, region.get()), NULLREGION);
  EXPECT_EQ(NativeControls::TextOf(window.NativeHandle(ControlId::FontSizeField)), u"11");

  window.ShowFontSizeList(true);
  EXPECT_TRUE(window.FontSizeListDropped());
  window.ShowFontSizeList(false);
  EXPECT_FALSE(window.FontSizeListDropped());

  ::SendMessageW(combo, CB_SETCURSEL, 6, 0);
  ::SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(form[ControlId::FontSizeList].caption, u"14");
}

TEST_F(CaptureWindowTest, Pointer_IsTheOverrideEverywhereInTheWindow) {
  window.SetPointer(Pointer::SizeAll);
  ::SendMessageW(window.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_SIZEALL));

  ShowStylePanel();
  const HWND edit = window.NativeHandle(ControlId::FontSizeField);
  window.SetPointer(Pointer::Cross);
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));  // as if the pointer had just come over it
  ::SendMessageW(edit, WM_SETCURSOR, reinterpret_cast<WPARAM>(edit),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_CROSS));  // not the text box's I-beam

  window.SetPointer(Pointer::Default);
  ::SendMessageW(window.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(CaptureWindowTest, ToolbarTooltips_LieOverTheButtonsOnlyWhileTheStripIsShown) {
  auto find_tooltip = [&] {
    HWND tooltip = nullptr;
    while ((tooltip = ::FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
      if (::GetWindow(tooltip, GW_OWNER) == window.hwnd()) break;
    }
    return tooltip;
  };
  EXPECT_EQ(find_tooltip(), nullptr);  // made with the other native controls, when first needed

  Control& strip = form[ControlId::Toolbar];
  strip.left = 100, strip.top = 120, strip.visible = true;
  window.PumpEvents();
  const HWND tooltip = find_tooltip();
  ASSERT_NE(tooltip, nullptr);
  wchar_t text[80] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window.hwnd();
  tool.uId = static_cast<UINT_PTR>(ButtonId(ToolbarButton::Rectangle));
  tool.lpszText = text;
  auto tool_rect = [&] {
    ::SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
    return RectI{tool.rect.left, tool.rect.top, tool.rect.right, tool.rect.bottom};
  };

  EXPECT_EQ(tool_rect(), (RectI{107, 125, 123, 141}));  // button 7 at 6 2/3, 5 in the strip
  ::SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(text), L"添加矩形");
  strip.visible = false;
  window.PumpEvents();
  EXPECT_TRUE(tool_rect().Empty());

  // A choice of the style panel: its text is the one the panel was laid out with.
  for (const ControlId id : {ControlId::StylePanel, ControlId::ChoicePanel, ChoiceId(0)}) {
    form[id].visible = true;
  }
  form[ChoiceId(0)].tooltip = u"2 像素";
  window.PumpEvents();
  tool.uId = static_cast<UINT_PTR>(ChoiceId(0));
  EXPECT_FALSE(tool_rect().Empty());
  ::SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(text), L"2 像素");
}

TEST_F(CaptureWindowTest, Magnifier_HasItsOwnWindowAboveThatLetsThePointerThrough) {
  run.MouseMove(0, 10, 10);
  run.MouseMove(0, 40, 30);
  window.Refresh();
  const HWND magnifier = window.MagnifierHandle();
  ASSERT_TRUE(magnifier);
  EXPECT_TRUE(::IsWindowVisible(magnifier));
  EXPECT_EQ(::GetWindow(magnifier, GW_OWNER), window.hwnd());
  const LONG_PTR styles = ::GetWindowLongPtrW(magnifier, GWL_EXSTYLE);
  for (const LONG_PTR style : std::initializer_list<LONG_PTR>{
           WS_EX_LAYERED, WS_EX_TRANSPARENT, WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE}) {
    EXPECT_EQ(styles & style, style) << std::hex << style;
  }
  // 20 pixels below and right of the pointer, 122 x 138 at 96 DPI.
  RECT box{};
  ::GetWindowRect(magnifier, &box);
  EXPECT_EQ((RectI{box.left, box.top, box.right, box.bottom}), (RectI{60, 50, 182, 188}));
  EXPECT_EQ(::WindowFromPoint({100, 100}), window.hwnd()) << "the pointer goes through it";
  EXPECT_EQ(::GetForegroundWindow(), window.hwnd()) << "the keyboard stays with the capture";
  EXPECT_EQ(::GetFocus(), window.hwnd());
  // On the screen, the pointer's pixel is the eighth block of fifteen across, the sixth of eleven
  // down, inside a one-pixel border: 8 x 8 pixels of exactly its colour.
  const std::uint32_t pointer_pixel = screen_picture.at(40, 30);
  const auto block_shown = [&] {
    Dib shown(8, 8);
    const WindowDc screen_dc(nullptr);
    ::BitBlt(shown.dc(), 0, 0, 8, 8, screen_dc.get(), box.left + 1 + 7 * 8, box.top + 1 + 5 * 8,
             SRCCOPY);
    ::GdiFlush();
    for (int i = 0; i < 64; ++i) {
      if ((shown.pixels()[i] & 0xFFFFFFu) != pointer_pixel) return false;
    }
    return true;
  };
  const ULONGLONG shown_by = ::GetTickCount64() + 5000;
  while (!block_shown() && ::GetTickCount64() < shown_by) {
    QuitStatus();
    ::Sleep(20);
  }
  EXPECT_TRUE(block_shown()) << "the magnifier's pixels on the screen";
  // The capture window paints none of it: its own picture there is the frozen screen's.
  const Picture printed = Printed();
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      ASSERT_EQ(printed.at(x, y), screen_picture.at(x, y)) << x << "," << y;
    }
  }
  run.MouseDown(button::kLeft, 40, 30);
  run.MouseMove(button::kLeft, 140, 130);
  run.MouseUp(button::kLeft, 140, 130);
  window.Refresh();
  EXPECT_FALSE(::IsWindowVisible(magnifier)) << "gone with the finished selection";
}

TEST_F(CaptureWindowTest, CopiedColour_TheNoticeGoesWhenTheWindowsTimerRunsOut) {
  run.MouseMove(0, 10, 10);
  run.MouseMove(0, 40, 30);
  run.KeyPress({'C', false, false, false});
  const std::u16string& hex = form[ControlId::MagnifierHex].caption;
  ASSERT_EQ(hex.substr(0, 3), u"已复制");
  const ULONGLONG start = ::GetTickCount64();
  while (hex[0] != u'#' && ::GetTickCount64() - start < 10000) {
    QuitStatus();
    ::Sleep(10);
  }
  EXPECT_EQ(hex[0], u'#') << "the pointer never moved";
}

}  // namespace
}  // namespace capture::win32
