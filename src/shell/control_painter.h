// Paints the windowless child controls and the panels from the control model onto a picture that
// already holds the window layer: panels, images, shapes, lines and labels, bottom first.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "form/controls.h"
#include "shell/dib.h"
#include "shell/handles.h"

namespace capture::win32 {

// The whole-pixel window rectangle a control covers, cut to what its containers let be seen.
RectI VisibleRect(const Controls& controls, ControlId id);
// True when a painted (not native) control shown on the capture window meets the area.
bool PaintedControlMeets(const Controls& controls, const RectI& area);

class ControlPainter {
 public:
  // Paints every control shown on the capture window that meets `area` (window coordinates) onto
  // `target`, whose pixel (0, 0) is the window point `origin`. Nothing outside `area` is touched.
  void Paint(const Controls& controls, const RectI& area, Dib& target, PointI origin);
  // Paints `root`, which has a window of its own, and its children onto `target`, whose pixel
  // (0, 0) is the window point `origin`.
  void PaintOwnWindow(const Controls& controls, ControlId root, Dib& target, PointI origin);

 private:
  void PaintOne(const Control& c, const Controls& controls, const RectI& clip, Dib& target,
                PointI origin);
  void PaintLabel(const Control& c, int dpi, const RectI& rect, HDC dc);
  // The label's font at the chrome's DPI, made once and kept.
  HFONT LabelFont(const Control& c, int dpi);

  std::map<std::tuple<std::u16string, float, int>, Font> fonts_;
};

}  // namespace capture::win32
