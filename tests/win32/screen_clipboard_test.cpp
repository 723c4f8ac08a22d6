#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "shell/handles.h"
#include "shell/win32_clipboard.h"
#include "shell/win32_screen.h"
#include "shell/win32_surface.h"
#include "test_support.h"

namespace capture::win32 {
namespace {

// The test scripts show a known picture on a virtual display and name it (as a BMP) in
// CAPTURE_TEST_SCREEN_BMP; the grab, and the surface frozen straight from the screen, must give
// it back pixel for pixel.
TEST(Win32Screen, GrabAndFreeze_AreTheWholeScreenPixelForPixel) {
  const char* bmp = std::getenv("CAPTURE_TEST_SCREEN_BMP");
  if (!bmp || !*bmp) GTEST_SKIP() << "CAPTURE_TEST_SCREEN_BMP names no picture of the screen";
  const std::optional<Picture> expected = test::LoadBmp(test::WindowsPath(bmp));
  ASSERT_TRUE(expected) << "cannot read " << bmp;
  Win32Screen screen;

  const Picture grabbed = screen.Grab();

  EXPECT_EQ(screen.Size(), (SizeI{expected->width, expected->height}));
  ASSERT_EQ(grabbed.width, expected->width);
  ASSERT_EQ(grabbed.height, expected->height);
  std::size_t differing = 0;
  for (std::size_t i = 0; i < grabbed.pixels.size(); ++i) {
    if (grabbed.pixels[i] != expected->pixels[i]) ++differing;
  }
  EXPECT_EQ(differing, 0u);

  Win32Surface surface(&screen);
  ASSERT_TRUE(surface.Freeze(screen));
  EXPECT_EQ(surface.Copy({0, 0, expected->width, expected->height}), grabbed);
}

// On any desktop: the primary comes first, at the system's origin; every monitor lies on the
// virtual screen, and together they reach each of its edges.
TEST(Win32Screen, Monitors_AreInWindowCoordinatesOfTheVirtualScreen) {
  Win32Screen screen;
  const SizeI size = screen.Size();
  const RectI area = Win32Screen::Area();

  const std::vector<Monitor> monitors = screen.Monitors();

  ASSERT_EQ(monitors.size(), static_cast<std::size_t>(::GetSystemMetrics(SM_CMONITORS)));
  EXPECT_EQ(monitors.front().area.left, -area.left);
  EXPECT_EQ(monitors.front().area.top, -area.top);
  RectI reach = monitors.front().area;
  for (const Monitor& monitor : monitors) {
    reach = Union(reach, monitor.area);
    EXPECT_GT(monitor.dpi, 0);
  }
  EXPECT_EQ(reach, (RectI{0, 0, size.width, size.height}));
}

std::optional<Picture> ClipboardDib() {
  OpenedClipboard clipboard(nullptr);
  if (!clipboard.is_open()) return std::nullopt;
  const HANDLE data = ::GetClipboardData(CF_DIB);
  if (!data) return std::nullopt;
  GlobalLock locked(data);
  return test::ReadPackedDib(locked.data(), locked.size());
}

TEST(Win32Clipboard, PutBitmap_OffersExactlyThePictureToOtherReaders) {
  Win32Clipboard clipboard;
  const Picture picture = fake::NoisePicture(37, 23, 11);

  ASSERT_TRUE(clipboard.PutBitmap(picture));

  const std::optional<Picture> dib = ClipboardDib();
  ASSERT_TRUE(dib);
  EXPECT_EQ(*dib, picture);
  EXPECT_EQ(clipboard.GetBitmap(), picture);
}

// As another program copies text: it empties the clipboard and puts the text there.
void PutText(const std::wstring& text) {
  OpenedClipboard clipboard(nullptr);
  ASSERT_TRUE(clipboard.is_open());
  ::EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  std::memcpy(GlobalLock(memory.get()).data(), text.c_str(), bytes);
  ASSERT_TRUE(::SetClipboardData(CF_UNICODETEXT, memory.get()));
  memory.release();  // the clipboard's now
}

std::wstring ClipboardText() {
  OpenedClipboard clipboard(nullptr);
  const HANDLE data = clipboard.is_open() ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
  if (!data) return L"";
  GlobalLock locked(data);
  return static_cast<const wchar_t*>(locked.data());
}

// An empty selection's copy is nothing to copy: what the clipboard held stays, and it is not ours
// to empty afterwards.
TEST(Win32Clipboard, PictureWithoutArea_LeavesTheClipboardAsItWas) {
  Win32Clipboard clipboard;
  ASSERT_TRUE(clipboard.PutBitmap(fake::NoisePicture(5, 5)));
  PutText(L"kept");

  EXPECT_TRUE(clipboard.PutBitmap(Picture(0, 4)));
  EXPECT_EQ(ClipboardText(), L"kept");
  EXPECT_FALSE(clipboard.StillOurs());
  EXPECT_FALSE(clipboard.EmptyIfStillOurs());
  EXPECT_EQ(ClipboardText(), L"kept");
}

TEST(Win32Clipboard, EmptyIfStillOurs_LeavesWhatAnotherProgramPutThereSince) {
  Win32Clipboard clipboard;
  const Picture picture = fake::NoisePicture(6, 4, 3);
  ASSERT_TRUE(clipboard.PutBitmap(picture));
  EXPECT_TRUE(clipboard.StillOurs());
  PutText(L"C:\\shots\\a.png");

  EXPECT_FALSE(clipboard.StillOurs());
  EXPECT_FALSE(clipboard.EmptyIfStillOurs());
  EXPECT_EQ(ClipboardText(), L"C:\\shots\\a.png");

  // Another program reading the picture (which makes the DIB from the bitmap) changes nothing.
  ASSERT_TRUE(clipboard.PutBitmap(picture));
  ASSERT_EQ(ClipboardDib(), picture);
  EXPECT_TRUE(clipboard.StillOurs());
  EXPECT_TRUE(clipboard.EmptyIfStillOurs());
  EXPECT_FALSE(clipboard.GetBitmap());
  EXPECT_FALSE(clipboard.EmptyIfStillOurs()) << "nothing of ours is left to empty";
}

}  // namespace
}  // namespace capture::win32
