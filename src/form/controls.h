// The capture window's child controls as plain data: what each is, where it is, how it looks.
// The window paints them from this model; native text boxes and the combo box mirror it.
#pragma once

#include <array>
#include <cstdint>
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
  Zoom,      // windowless: pixels of the picture, each a square block of its colour
};

// The pictures the window can show in an image control or a panel.
enum class Art {
  None,
  Handle,           // 4 x 4 filled with (0, 122, 236)
  ToolRect,         // hollow rectangle
  ToolEllipse,      // ellipse
  ToolText,         // letter A
  ToolArrow,        // arrow pointing up-right
  Undo,             // curved arrow to the left
  Redo,             // curved arrow to the right
  Save,             // floppy disk
  Quit,             // orange cross
  CopyQuit,         // green tick
  Pin,              // pushpin
  FontSize,         // blue letter A
  ComboNormal,      // combo box look-alike: white field, small dark arrow
  ComboHover,       // arrow part as a light-blue button
  ComboPressed,     // arrow part as a darker blue button
  ToolPen,          // pencil
  ToolHighlighter,  // marker over a yellow band
  ToolMosaic,       // a grid of grey squares
  ToolSteps,        // disc with the number 1
  ScrollCapture,    // a tall page with an arrow down its side
  // The choices of the style panel: a pen stroke and a highlighter band at each of their three
  // sizes, pixelate and blur, three mosaic cell sizes, three step discs.
  ChoicePen_0,
  ChoiceHighlighter_0 = ChoicePen_0 + 3,
  ChoicePixelate = ChoiceHighlighter_0 + 3,
  ChoiceBlur,
  ChoiceCells_0,
  ChoiceDisc_0 = ChoiceCells_0 + 3,
  Last = ChoiceDisc_0 + 2,
};

// The eight resize handles, by their index in the group: the corners and the edges' midpoints.
enum class Handle { TopLeft, Top, TopRight, Left, BottomLeft, Bottom, BottomRight, Right };
inline constexpr int kHandles = 8;

// The toolbar's buttons, by their index in the group.
enum class ToolbarButton {
  Undo,
  CopyQuit,
  Save,
  Quit,
  Arrow,
  Text,
  Ellipse,
  Rectangle,
  Redo,
  Pen,
  Highlighter,
  Mosaic,
  Steps,
  Pin,
  ScrollCapture,  // 长截图: the window under the selection scrolled and joined into one picture
};
inline constexpr int kToolbarButtons = 15;

// The annotation tools; a toolbar button chooses one.
enum class Tool { None, Rectangle, Ellipse, Arrow, Text, Pen, Highlighter, Mosaic, Steps };

// The style panel's choices for the tools that have them (a size, for the mosaic also its kind),
// by their place from the left.
inline constexpr int kChoices = 5;

// The style panel's swatches: the palette's sixteen colours, then the large swatch that shows the
// current colour.
inline constexpr int kPaletteColours = 16;
inline constexpr int kCurrentColourSwatch = kPaletteColours;
inline constexpr int kSwatches = kPaletteColours + 1;

// The three looks of the font-size box (normal, hover, pressed), kept as hidden images.
inline constexpr int kComboLooks = 3;

// The style panel with its font size is 241⅓ design pixels wide, as the strip was with its first
// nine buttons.
inline constexpr float kStylePanelWidth = 3620 / 15.f;
// The palette's left in the style panel when the font size stands before it: 78⅔ design pixels.
inline constexpr float kPaletteBesideFontSize = 1180 / 15.f;

// Every control, in one enumeration; indexed groups take one value per member.
enum class ControlId : int {
  Window = -1,  // the capture window itself (not a child)
  TextBox = 0,
  StylePanel,
  FontPanel,
  FontSizeBox,
  FontSizeField,
  FontSizeList,
  ComboLook_0,
  FontSizeIcon = ComboLook_0 + kComboLooks,
  Palette,
  Swatch_0,
  StyleFrame = Swatch_0 + kSwatches,
  ChoicePanel,
  Choice_0,
  ChoiceMark_0 = Choice_0 + kChoices,
  Toolbar = ChoiceMark_0 + kChoices,
  QuitSeparator,
  Button_0,
  ToolsSeparator = Button_0 + kToolbarButtons,
  ToolbarFrame,
  HoverSquare_0,
  ColourLabel = HoverSquare_0 + kToolbarButtons,
  Handle_0,
  Selection = Handle_0 + kHandles,
  SizeLabel,
  Suggestion,  // the window or control a click would select, outlined while no selection exists
  Magnifier,   // beside the pointer while aiming: the pixels around it, magnified, and a readout
  MagnifierZoom,
  MagnifierPosition,
  MagnifierColour,
  MagnifierHex,
  MarkHandle_0,  // the selected mark's handles: as the selection's, in a second colour
  Count = MarkHandle_0 + kHandles,
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
  int border_width = 1;         // shapes: the outline's thickness in pixels
  bool passes_pointer = false;  // pointer events go through it to what lies beneath
  // Shown in a small window of its own above the capture window, with its children: the capture
  // window neither paints it nor repaints where it moves (the magnifier).
  bool own_window = false;
  std::vector<std::uint32_t> zoom;  // a zoom's pixels (0x00RRGGBB), row by row

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
    return !passes_pointer && kind != ControlKind::Shape && kind != ControlKind::Line &&
           kind != ControlKind::Label && kind != ControlKind::Zoom;
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
  // Every control as its row in form/control_table.cpp (kRows) has it; the toolbar's laid out
  // by kStrip there.
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
  // The control or one of its containers has a window of its own.
  bool InOwnWindow(ControlId id) const;
  // The control is `root` or lies inside it.
  bool Within(ControlId id, ControlId root) const;
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
constexpr ControlId HandleId(int i) {
  return ControlId(int(ControlId::Handle_0) + i);
}
constexpr ControlId HandleId(Handle handle) {
  return HandleId(static_cast<int>(handle));
}
constexpr ControlId MarkHandleId(int i) {
  return ControlId(int(ControlId::MarkHandle_0) + i);
}
constexpr ControlId ButtonId(int i) {
  return ControlId(int(ControlId::Button_0) + i);
}
constexpr ControlId ButtonId(ToolbarButton button) {
  return ButtonId(static_cast<int>(button));
}
constexpr ControlId ComboLookId(int i) {
  return ControlId(int(ControlId::ComboLook_0) + i);
}
constexpr ControlId HoverSquareId(int i) {
  return ControlId(int(ControlId::HoverSquare_0) + i);
}
constexpr ControlId HoverSquareId(ToolbarButton button) {
  return HoverSquareId(static_cast<int>(button));
}
constexpr ControlId SwatchId(int i) {
  return ControlId(int(ControlId::Swatch_0) + i);
}
constexpr ControlId ChoiceId(int i) {
  return ControlId(int(ControlId::Choice_0) + i);
}
constexpr ControlId ChoiceMarkId(int i) {
  return ControlId(int(ControlId::ChoiceMark_0) + i);
}

// Which group a control belongs to (its first member), and its index there; for a control that
// is in no group, itself and -1.
struct GroupMember {
  ControlId group;
  int index;
};
GroupMember GroupOf(ControlId id);

// The tool a toolbar button chooses; Tool::None for the buttons that are no tool.
Tool ToolOf(ToolbarButton button);

}  // namespace capture
