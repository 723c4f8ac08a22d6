// The toolbar's 16 x 16 icons, drawn for the strip's light-blue background.
#include <cstdint>
#include <utility>

#include "art/art_draw.h"
#include "art/art_raster.h"

namespace capture::art {
namespace {

constexpr int kSize = 16;
constexpr std::uint32_t kInk = 0xFF2B3A4E;  // the drawing tools: dark slate
constexpr std::uint32_t kHistoryEdge = 0xFF174A96;
constexpr std::uint32_t kHistory = 0xFF2F7AE0;  // undo and redo
constexpr std::uint32_t kDiskEdge = 0xFF1B3768;
constexpr std::uint32_t kDisk = 0xFF3466B4;
constexpr std::uint32_t kShutter = 0xFFD4DAE2;
constexpr std::uint32_t kLabelLine = 0xFF9AA8BA;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kCrossEdge = 0xFFB04A00;
constexpr std::uint32_t kCross = 0xFFFF8A1E;
constexpr std::uint32_t kTickEdge = 0xFF1E7A1E;
constexpr std::uint32_t kTick = 0xFF46C046;
constexpr std::uint32_t kPinEdge = 0xFF9E1B1B;
constexpr std::uint32_t kPinHead = 0xFFE23B3B;
constexpr std::uint32_t kNeedle = 0xFF5A6472;

Icon Rectangle(float scale) {
  Canvas c(kSize, kSize, scale);
  c.FrameRect(1, 3, 15, 13, 2, kInk);
  return c.Take();
}

Icon Ellipse(float scale) {
  Canvas c(kSize, kSize, scale);
  c.StrokeEllipse(8, 8, 6.2f, 4.8f, 2, kInk);
  return c.Take();
}

Icon Arrow(float scale) {
  Canvas c(kSize, kSize, scale);
  c.StrokePolyline({{2.5f, 13.5f}, {10, 6}}, 1.8f, kInk);
  c.FillPolygon({{14.5f, 1.5f}, {7, 3.2f}, {12.8f, 9}}, kInk);
  return c.Take();
}

// A hook: the shaft rises from the bottom right round a quarter circle and ends in a head pointing
// left. Redo is its mirror image.
Icon History(bool redo, float scale) {
  Canvas c(kSize, kSize, scale);
  const float cx = 9, cy = 12.5f, r = 4.8f;
  for (auto [width, colour] : {std::pair{3.6f, kHistoryEdge}, std::pair{2.0f, kHistory}}) {
    c.StrokeArc(cx, cy, r, 0, 90, width, colour);
    c.FillRect(cx - 2.5f, cy - r - width / 2, cx + 0.01f, cy - r + width / 2, colour);
  }
  c.FillPolygon({{0.8f, cy - r}, {7.6f, cy - r - 5.6f}, {7.6f, cy - r + 5.6f}}, kHistoryEdge);
  c.FillPolygon({{2.9f, cy - r}, {6.6f, cy - r - 3.3f}, {6.6f, cy - r + 3.3f}}, kHistory);
  if (redo) c.MirrorX();
  return c.Take();
}

Icon FloppyDisk(float scale) {
  Canvas c(kSize, kSize, scale);
  c.FillPolygon({{1, 1}, {13, 1}, {15, 3}, {15, 15}, {1, 15}}, kDiskEdge);
  c.FillPolygon({{2, 2}, {12.6f, 2}, {14, 3.4f}, {14, 14}, {2, 14}}, kDisk);
  c.FillRect(4, 1, 12, 6, kDiskEdge);
  c.FillRect(5, 2, 11, 6, kShutter);
  c.FillRect(9, 2.5f, 10, 5, kDiskEdge);
  c.FillRect(3, 8, 13, 15, kDiskEdge);
  c.FillRect(4, 9, 12, 14, kWhite);
  c.FillRect(5, 10, 11, 11, kLabelLine);
  c.FillRect(5, 12, 11, 13, kLabelLine);
  return c.Take();
}

Icon Cross(float scale) {
  Canvas c(kSize, kSize, scale);
  for (auto [width, colour] : {std::pair{4.2f, kCrossEdge}, std::pair{2.6f, kCross}}) {
    c.StrokePolyline({{3.5f, 3.5f}, {12.5f, 12.5f}}, width, colour);
    c.StrokePolyline({{12.5f, 3.5f}, {3.5f, 12.5f}}, width, colour);
  }
  return c.Take();
}

Icon Tick(float scale) {
  Canvas c(kSize, kSize, scale);
  for (auto [width, colour] : {std::pair{4.2f, kTickEdge}, std::pair{2.6f, kTick}}) {
    c.StrokePolyline({{2.8f, 8.6f}, {6.2f, 12}, {13.2f, 3.6f}}, width, colour);
  }
  return c.Take();
}

// A pushpin leaning right: a red head and collar, and a grey needle down to the bottom left.
Icon Pushpin(float scale) {
  Canvas c(kSize, kSize, scale);
  c.StrokePolyline({{7.4f, 8.6f}, {1.8f, 14.2f}}, 1.3f, kNeedle);
  c.FillPolygon({{3.6f, 7.6f}, {8.4f, 12.4f}, {9.6f, 9.6f}, {6.4f, 6.4f}}, kPinEdge);
  c.StrokePolyline({{6.2f, 9.8f}, {11.6f, 4.4f}}, 3.2f, kPinEdge);
  c.StrokePolyline({{6.6f, 9.4f}, {11.2f, 4.8f}}, 1.6f, kPinHead);
  c.FillEllipse(11.4f, 4.6f, 3.3f, 3.3f, kPinEdge);
  c.FillEllipse(11.4f, 4.6f, 2.2f, 2.2f, kPinHead);
  return c.Take();
}

}  // namespace

// A bold sans-serif capital A filling the 16 x 16 cell.
Icon LetterA(std::uint32_t argb, float scale) {
  Canvas c(kSize, kSize, scale);
  c.FillPolygon({{{6.6f, 1.5f},
                  {9.4f, 1.5f},
                  {14.5f, 14.5f},
                  {11.8f, 14.5f},
                  {10.6f, 11.2f},
                  {5.4f, 11.2f},
                  {4.2f, 14.5f},
                  {1.5f, 14.5f}},
                 {{8, 4.8f}, {9.8f, 9.4f}, {6.2f, 9.4f}}},
                argb);
  return c.Take();
}

Icon DrawToolbarIcon(Art art, float scale) {
  switch (art) {
    case Art::ToolRect:
      return Rectangle(scale);
    case Art::ToolEllipse:
      return Ellipse(scale);
    case Art::ToolText:
      return LetterA(kInk, scale);
    case Art::ToolArrow:
      return Arrow(scale);
    case Art::Undo:
      return History(false, scale);
    case Art::Redo:
      return History(true, scale);
    case Art::Save:
      return FloppyDisk(scale);
    case Art::Quit:
      return Cross(scale);
    case Art::CopyQuit:
      return Tick(scale);
    case Art::Pin:
      return Pushpin(scale);
    default:
      return {};
  }
}

}  // namespace capture::art
