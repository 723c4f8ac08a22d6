// The document the drag and undo benchmarks draw on, at 3840 x 2160: 100 marks of every kind
// spread over a selection of almost all of it, and a 400 x 300 rectangle to move among them.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "annotate/mark_edit.h"
#include "form/mark.h"

namespace capture::bench {

inline Mark Made(MarkKind kind, std::vector<PointF> points, float size = 0) {
  Mark mark;
  mark.kind = kind;
  mark.points = std::move(points);
  mark.size = size;
  mark.colour = Rgb(220, 40, 40);
  mark.clip = {20, 20, 3820, 2140};
  return mark;
}

// 100 marks of every kind spread over the selection, 10 of them 500 x 500 blurs, and a 400 x 300
// rectangle at `place` (0: below all, 100: on top).
inline Document HundredMarks(std::size_t place, std::uint64_t& serial) {
  std::vector<Mark> marks;
  std::uint32_t seed = 12345;
  const auto next = [&seed](int span) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>((seed >> 8) % static_cast<std::uint32_t>(span));
  };
  for (int i = 0; i < 100; ++i) {
    const float x = 40 + next(3300), y = 40 + next(1600);
    const float w = 60 + next(300), h = 40 + next(200);
    switch (i % 10) {
      case 0: {
        Mark blur = Made(MarkKind::Mosaic, {});
        blur.area = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + 500,
                     static_cast<int>(y) + 500};
        blur.mosaic.kind = MosaicKind::Blur;
        marks.push_back(blur);
        break;
      }
      case 1:
        marks.push_back(Made(MarkKind::Rectangle, {{x, y}, {x + w, y + h}}));
        break;
      case 2:
        marks.push_back(Made(MarkKind::Ellipse, {{x, y}, {x + w, y + h}}));
        break;
      case 3:
        marks.push_back(Made(MarkKind::Arrow, {{x, y}, {x + w, y + h}}));
        break;
      case 4:
      case 5: {
        std::vector<PointF> path;
        path.reserve(40);
        for (int p = 0; p < 40; ++p) path.push_back({x + next(200), y + next(150)});
        marks.push_back(Made(i % 10 == 4 ? MarkKind::Pen : MarkKind::Highlighter, path,
                             i % 10 == 4 ? 4.f : 18.f));
        break;
      }
      case 6:
        marks.push_back(Made(MarkKind::Step, {{x, y}}, 36));
        break;
      case 7: {
        Mark text = Made(MarkKind::Text, {{x, y}}, 14);
        text.text = u"说明 note";
        marks.push_back(text);
        break;
      }
      case 8: {
        Mark cells = Made(MarkKind::Mosaic, {});
        cells.area = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + w),
                      static_cast<int>(y + h)};
        marks.push_back(cells);
        break;
      }
      default:
        marks.push_back(Made(MarkKind::Rectangle, {{x, y}, {x + h, y + w}}));
        break;
    }
  }
  marks.insert(marks.begin() + static_cast<std::ptrdiff_t>(place),
               Made(MarkKind::Rectangle, {{200, 900}, {600, 1200}}));
  Document document;
  for (Mark& mark : marks) {
    mark.serial = ++serial;
    document.marks.push_back(std::make_shared<const Mark>(std::move(mark)));
  }
  return document;
}

// `document` with mark `at` moved by `by` as a drag on the 3840 x 2160 picture moves it, as a new
// mark with the next serial.
inline Document WithMarkMoved(const Document& document, std::size_t at, PointF by,
                              std::uint64_t& serial) {
  Document next = document;
  Mark moved = Moved(*next.marks.at(at), by, {3840, 2160});
  moved.serial = ++serial;
  next.marks[at] = std::make_shared<const Mark>(std::move(moved));
  return next;
}

}  // namespace capture::bench
