// A tall picture delivered: the process's peak memory while a 1920 x 30000 joined picture is
// written as PNG or BMP or put on the clipboard (its PNG made as the clipboard object ends), from
// its rows, or (`whole-…`) after gathering it into one Picture as before. One delivery a run,
// since a process's peak only grows:
//
//   wine tall_picture_bench.exe png|bmp|clipboard|whole-png|whole-bmp OUT_FOLDER
//
// Prints the picture's pixels, the peak after the join and the peak after the delivery, less what
// the process held before the join (MiB). The budget: the picture's pixels, two frames and 64 MiB.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <cstdint>
#include <cstdio>
#include <string>

#include "join/frame_joiner.h"
#include "output/image_file.h"
#include "platform/fake/fake_platform.h"
#include "shell/gdiplus_flat.h"
#include "shell/no_window.h"
#include "shell/text.h"
#include "shell/win32_clipboard.h"
#include "shell/win32_files.h"

namespace capture::win32 {
namespace {

constexpr int kWidth = 1920;
constexpr int kFrameHeight = 1080;
constexpr int kHeight = 30000;
constexpr int kStep = 97 * 5;  // rows a frame moves on
constexpr double kMiB = 1024.0 * 1024.0;

// Content row `r` of a page: lines of noise 8 rows high in every 20, white between, like text.
std::uint32_t Page(int x, int r) {
  if (r % 20 >= 8) return 0xFFFFFF;
  std::uint32_t h =
      static_cast<std::uint32_t>(r) * 2654435761u ^ static_cast<std::uint32_t>(x) * 40503u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return (h ^ (h >> 15)) & 0xFFFFFF;
}

void DrawFrame(Picture& frame, int position) {
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) frame.at(x, y) = Page(x, position + y);
  }
}

double PeakMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / kMiB;
}

// Writes or copies the picture as `how` says; false when that failed.
bool Deliver(const std::wstring& how, const join::FrameJoiner& joined, const std::wstring& folder) {
  fake::FakePlatform fake(Picture(1, 1));
  NoWindow window;
  GdiplusFlat gdiplus;
  Win32Files files;
  Platform platform{window,       fake.surface, fake.screen, fake.clipboard,
                    fake.dialogs, gdiplus,      files,       fake.saving};
  const std::u16string out = Utf16(folder) + u"\\tall";
  if (how == L"png") return WriteImageFile(platform, joined, out + u".png", u"png", {});
  if (how == L"bmp") return WriteImageFile(platform, joined, out + u".bmp", u"bmp", {});
  if (how == L"whole-png")
    return WriteImageFile(platform, joined.Take(), out + u".png", u"png", {});
  if (how == L"whole-bmp")
    return WriteImageFile(platform, joined.Take(), out + u".bmp", u"bmp", {});
  if (how == L"clipboard") {
    Win32Clipboard clipboard;
    return clipboard.PutBitmap(joined);  // the PNG is made as `clipboard` ends
  }
  return false;
}

}  // namespace
}  // namespace capture::win32

int wmain(int argc, wchar_t** argv) {
  using namespace capture;
  if (argc != 3) return 2;
  const double before = win32::PeakMiB();
  Picture frame(win32::kWidth, win32::kFrameHeight);
  win32::DrawFrame(frame, 0);
  join::FrameJoiner joiner(PixelView::Of(frame), {}, win32::kHeight);
  for (int position = win32::kStep; joiner.Height() < win32::kHeight; position += win32::kStep) {
    win32::DrawFrame(frame, position);
    if (joiner.Add(PixelView::Of(frame), {}) == join::Joined::Refused) return 1;
  }
  frame = Picture();
  const double pixels = static_cast<double>(joiner.Width()) * joiner.Height() * 4 / win32::kMiB;
  const double joined = win32::PeakMiB() - before;
  const bool ok = win32::Deliver(argv[1], joiner, argv[2]);
  const double delivered = win32::PeakMiB() - before;
  std::printf(
      "%ls %dx%d: %s; pixels %.1f MiB, peak after the join %.1f MiB, after the delivery "
      "%.1f MiB (%.1f MiB over the pixels)\n",
      argv[1], joiner.Width(), joiner.Height(), ok ? "delivered" : "FAILED", pixels, joined,
      delivered, delivered - pixels);
  return ok ? 0 : 1;
}
