// The capture window's child controls as plain data: what each is, where it is, how it looks.
// The window paints them from this model; native text boxes and the combo box mirror it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "form/chrome_scale.h"
#include "platform/types.h"

namespace capture {

enum class ControlKind {
  Panel,     // windowed child with a background colour; may contain other controls
  Image,     // windowless picture
  Shape,     // windowless rectangle outline, optionally filled
  Line,      // windowless straight line from (left, top) to (left + width, top + height)
  Label,     // windowless text
  TextBox,   // native edit control
  ComboBox,  // native drop-down list
};

// The pictures the window can show in an image control or a panel.
enum class Art {
  None,
  Handle,        // 4 x 4 filled with (0, 122, 236)
  ToolRect,      // hollow rectangle
  ToolEllipse,   // ellipse
  ToolText,      // letter A
  ToolArrow,     // arrow pointing up-right
  Undo,          // curved arrow to the left
  Redo,          // curved arrow to the right
  Save,          // floppy disk
  Quit,          // orange cross
  CopyQuit,      // green tick
  FontSize,      // blue letter A
  ComboNormal,   // combo box look-alike: white field, small dark arrow
  ComboHover,    // arrow part as a light-blue button
  ComboPressed,  // arrow part as a darker blue button
};

// Every control, in one enumeration; indexed groups take one value per member.
enum class ControlId : int {
  Window = -1,  // the capture window itself (not a child)
  TextEdit = 0,
  Picture2,
  PicFont,
  PicCombox,
  Text1,
  Combo1,
  Image4_0,
  Image3 = Image4_0 + 3,
  PicColor,
  Pcolor_0,
  Shape4 = Pcolor_0 + 17,
  Picture1,
  Line2,
  Image2_0,
  Line1 = Image2_0 + 9,
  Shape2,
  Shape3_0,
  lblInfo = Shape3_0 + 9,
  Image1_0,
  Shape1 = Image1_0 + 8,
  LblPos,
  Count,
};

struct Control {
  ControlId id = ControlId::Window;
  ControlKind kind = ControlKind::Image;
  std::string_view name;
  int index = -1;                           // index within its group, -1 when not in a group
  ControlId container = ControlId::Window;  // the window or a panel
  // Geometry in design pixels (96 DPI), except that a control on the window itself has its
  // left and top in window pixels (it is placed beside the selection), and a control that is in
  // picture pixels has all four in window pixels. Controls::Origin and Extent give screen pixels.
  float left = 0, top = 0, width = 0, height = 0;
  bool in_picture_pixels = false;  // the selection and the text box: never scaled
  bool visible = true;

  Colour back_colour = 0;    // panels
  Colour fore_colour = 0;    // labels, text boxes, lines
  Colour border_colour = 0;  // shapes and bordered panels
  Colour fill_colour = 0;    // shapes with has_fill
  bool has_border = false;
  bool has_fill = false;

  std::u16string caption;  // labels; the text of text boxes and the combo box
  std::u16string tooltip;
  Art picture = Art::None;
  std::u16string font_face;  // empty: the platform's user-interface font
  float font_points = 9;

  // Windowed controls stand above windowless ones of the same container.
  bool Windowed() const {
    return kind == ControlKind::Panel || kind == ControlKind::TextBox ||
           kind == ControlKind::ComboBox;
  }
  // Shapes, lines and labels let pointer events fall through to what lies beneath: the labels
  // are for reading, so a shape can start under them and the colour readout goes on over them.
  bool TakesPointer() const {
    return kind != ControlKind::Shape && kind != ControlKind::Line && kind != ControlKind::Label;
  }
  float right() const { return left + width; }
  float bottom() const { return top + height; }
  // The point lies inside, not on an edge (the sums in single precision).
  bool StrictlyContains(float x, float y) const {
    return left < x && x < right() && top < y && y < bottom();
  }
};

// All child controls under their own names, laid out as designed.
class Controls {
 public:
  Controls();
  Controls(const Controls&) = default;
  Controls& operator=(const Controls&) = default;

  Control& operator[](ControlId id) { return all_[static_cast<std::size_t>(id)]; }
  const Control& operator[](ControlId id) const { return all_[static_cast<std::size_t>(id)]; }
  const std::array<Control, static_cast<std::size_t>(ControlId::Count)>& All() const {
    return all_;
  }

  // The DPI the chrome is shown at; the one place design pixels become screen pixels.
  ChromeScale scale;

  // Visible and every container up to the window visible too.
  bool ShownOnScreen(ControlId id) const;
  // The control's top-left in window coordinates.
  PointF Origin(ControlId id) const;
  // The control's width and height in screen pixels (a line's may be negative).
  PointF Extent(ControlId id) const;
  // A window point converted to the coordinates of the control's container: window pixels for
  // the window, design pixels for a panel.
  PointF ToContainer(ControlId id, PointF window_point) const;
  // Whole-pixel window rectangle that covers the control (for repainting).
  RectI Bounds(ControlId id) const;
  // The topmost control under a window point that takes pointer events, or ControlId::Window.
  ControlId HitTest(PointF window_point) const;
  // Paint order, bottom first: container before children, windowless before windowed.
  const std::vector<ControlId>& PaintOrder() const { return paint_order_; }

 private:
  std::array<Control, static_cast<std::size_t>(ControlId::Count)> all_;
  std::vector<ControlId> paint_order_;
};

// Indexed group members.
constexpr ControlId Image1(int i) {
  return ControlId(int(ControlId::Image1_0) + i);
}
constexpr ControlId Image2(int i) {
  return ControlId(int(ControlId::Image2_0) + i);
}
constexpr ControlId Image4(int i) {
  return ControlId(int(ControlId::Image4_0) + i);
}
constexpr ControlId Shape3(int i) {
  return ControlId(int(ControlId::Shape3_0) + i);
}
constexpr ControlId Pcolor(int i) {
  return ControlId(int(ControlId::Pcolor_0) + i);
}

// Which group a control belongs to (its first member), and its index there; for a control that
// is in no group, itself and -1.
struct GroupMember {
  ControlId group;
  int index;
};
GroupMember GroupOf(ControlId id);

}  // namespace capture
