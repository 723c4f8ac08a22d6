#include "art/art_raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace capture::art {
namespace {

constexpr int kSamples = 8;  // per pixel and axis

// Distance from p to the segment a-b.
float SegmentDistance(Pt p, Pt a, Pt b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.f;
  t = std::clamp(t, 0.f, 1.f);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool InEllipse(float x, float y, float cx, float cy, float rx, float ry) {
  if (rx <= 0 || ry <= 0) return false;
  const float u = (x - cx) / rx, v = (y - cy) / ry;
  return u * u + v * v <= 1.f;
}

std::uint8_t Channel(std::uint32_t argb, int shift) {
  return static_cast<std::uint8_t>((argb >> shift) & 0xFFu);
}

}  // namespace

Canvas::Canvas(int width, int height, float scale) : scale_(scale) {
  icon_.width = static_cast<int>(std::lround(static_cast<float>(width) * scale));
  icon_.height = static_cast<int>(std::lround(static_cast<float>(height) * scale));
  icon_.argb.assign(static_cast<std::size_t>(icon_.width) * static_cast<std::size_t>(icon_.height),
                    0u);
}

template <class Inside>
void Canvas::Cover(float left, float top, float right, float bottom, std::uint32_t argb,
                   Inside inside) {
  const int x0 = std::max(0, static_cast<int>(std::floor(left * scale_)));
  const int y0 = std::max(0, static_cast<int>(std::floor(top * scale_)));
  const int x1 = std::min(icon_.width, static_cast<int>(std::ceil(right * scale_)));
  const int y1 = std::min(icon_.height, static_cast<int>(std::ceil(bottom * scale_)));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
          // The sample's place in design pixels.
          const Pt p{(static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / kSamples) / scale_,
                     (static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / kSamples) / scale_};
          if (inside(p)) ++hits;
        }
      }
      if (hits > 0) Blend(x, y, argb, static_cast<float>(hits) / (kSamples * kSamples));
    }
  }
}

void Canvas::Blend(int x, int y, std::uint32_t argb, float coverage) {
  std::uint32_t& dst =
      icon_.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(icon_.width) +
                 static_cast<std::size_t>(x)];
  const float sa = static_cast<float>(Channel(argb, 24)) / 255.f * coverage;
  const float da = static_cast<float>(Channel(dst, 24)) / 255.f;
  const float oa = sa + da * (1.f - sa);
  if (oa <= 0.f) return;
  std::uint32_t out = static_cast<std::uint32_t>(std::lround(oa * 255.f)) << 24;
  for (int shift : {16, 8, 0}) {
    const float c = (static_cast<float>(Channel(argb, shift)) * sa +
                     static_cast<float>(Channel(dst, shift)) * da * (1.f - sa)) /
                    oa;
    out |= static_cast<std::uint32_t>(std::lround(std::clamp(c, 0.f, 255.f))) << shift;
  }
  dst = out;
}

void Canvas::FillRect(float left, float top, float right, float bottom, std::uint32_t argb) {
  Cover(left, top, right, bottom, argb,
        [&](Pt p) { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; });
}

void Canvas::FillPolygon(const std::vector<std::vector<Pt>>& contours, std::uint32_t argb) {
  float l = contours[0][0].x, t = contours[0][0].y, r = l, b = t;
  for (const auto& c : contours) {
    for (Pt p : c) {
      l = std::min(l, p.x), t = std::min(t, p.y), r = std::max(r, p.x), b = std::max(b, p.y);
    }
  }
  Cover(l, t, r, b, argb, [&](Pt p) {
    bool in = false;
    for (const auto& c : contours) {
      for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
        if ((c[i].y > p.y) != (c[j].y > p.y) &&
            p.x < (c[j].x - c[i].x) * (p.y - c[i].y) / (c[j].y - c[i].y) + c[i].x) {
          in = !in;
        }
      }
    }
    return in;
  });
}

void Canvas::FrameRect(float left, float top, float right, float bottom, float thickness,
                       std::uint32_t argb) {
  Cover(left, top, right, bottom, argb, [&](Pt p) {
    const bool outer = p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    const bool inner = p.x >= left + thickness && p.x < right - thickness &&
                       p.y >= top + thickness && p.y < bottom - thickness;
    return outer && !inner;
  });
}

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, std::uint32_t argb) {
  Cover(cx - rx, cy - ry, cx + rx, cy + ry, argb,
        [&](Pt p) { return InEllipse(p.x, p.y, cx, cy, rx, ry); });
}

void Canvas::StrokePolyline(std::initializer_list<Pt> points, float width, std::uint32_t argb) {
  const std::vector<Pt> pts(points);
  const float h = width / 2;
  float l = pts[0].x, t = pts[0].y, r = pts[0].x, b = pts[0].y;
  for (Pt p : pts) {
    l = std::min(l, p.x), t = std::min(t, p.y), r = std::max(r, p.x), b = std::max(b, p.y);
  }
  Cover(l - h, t - h, r + h, b + h, argb, [&](Pt p) {
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
      if (SegmentDistance(p, pts[i], pts[i + 1]) <= h) return true;
    }
    return pts.size() == 1 && std::hypot(p.x - pts[0].x, p.y - pts[0].y) <= h;
  });
}

void Canvas::StrokeEllipse(float cx, float cy, float rx, float ry, float width,
                           std::uint32_t argb) {
  const float h = width / 2;
  Cover(cx - rx - h, cy - ry - h, cx + rx + h, cy + ry + h, argb, [&](Pt p) {
    return InEllipse(p.x, p.y, cx, cy, rx + h, ry + h) &&
           !InEllipse(p.x, p.y, cx, cy, rx - h, ry - h);
  });
}

void Canvas::StrokeArc(float cx, float cy, float r, float from_deg, float to_deg, float width,
                       std::uint32_t argb) {
  const float h = width / 2;
  const float from = std::min(from_deg, to_deg), to = std::max(from_deg, to_deg);
  Cover(cx - r - h, cy - r - h, cx + r + h, cy + r + h, argb, [&](Pt p) {
    const float d = std::hypot(p.x - cx, p.y - cy);
    if (d < r - h || d > r + h) return false;
    // Screen y grows downwards, so counter-clockwise on screen is a negative y offset.
    float a = std::atan2(cy - p.y, p.x - cx) * 180.f / std::numbers::pi_v<float>;
    while (a < from) a += 360.f;
    return a <= to;
  });
}

void Canvas::MirrorX() {
  for (int y = 0; y < icon_.height; ++y) {
    auto row = icon_.argb.begin() + static_cast<std::ptrdiff_t>(y) * icon_.width;
    std::reverse(row, row + icon_.width);
  }
}

}  // namespace capture::art
