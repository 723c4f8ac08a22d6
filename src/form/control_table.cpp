// The controls as designed: one row each (a group of alike controls one row), in paint order.
#include "form/controls.h"

namespace capture {
namespace {

// Design sizes are kept in twips, 15 to the pixel; these are the exact quotients.
constexpr float Tw(int twips) {
  return static_cast<float>(twips) / 15.f;
}

constexpr Colour kPanelBack = Rgb(222, 238, 255);
constexpr Colour kFrame = Rgb(128, 128, 255);
constexpr Colour kSeparator = Rgb(192, 192, 255);
constexpr Colour kSelection = Rgb(0, 122, 236);
constexpr Colour kMarkHandle = Rgb(255, 112, 0);

// Toolbar buttons in group order: tooltip, icon, the tool it chooses.
struct ButtonDesign {
  const char16_t* tooltip;
  Art art;
  Tool tool;
};
constexpr std::array<ButtonDesign, kToolbarButtons> kButtons = {{
    {u"撤销", Art::Undo, Tool::None},
    {u"复制退出", Art::CopyQuit, Tool::None},
    {u"保存", Art::Save, Tool::None},
    {u"退出截屏", Art::Quit, Tool::None},
    {u"添加箭头", Art::ToolArrow, Tool::Arrow},
    {u"添加文字", Art::ToolText, Tool::Text},
    {u"添加椭圆", Art::ToolEllipse, Tool::Ellipse},
    {u"添加矩形", Art::ToolRect, Tool::Rectangle},
    {u"重做", Art::Redo, Tool::None},
    {u"画笔", Art::ToolPen, Tool::Pen},
    {u"荧光笔", Art::ToolHighlighter, Tool::Highlighter},
    {u"马赛克", Art::ToolMosaic, Tool::Mosaic},
    {u"序号", Art::ToolSteps, Tool::Steps},
    {u"钉在桌面", Art::Pin, Tool::None},
    {u"长截图", Art::ScrollCapture, Tool::None},
}};

// The strip from left to right: each button or separator stands `step` twips right of the one
// before it (the first from the strip's left edge), and the strip ends `step` twips after the
// last. A button's hover square stands `inset` twips left of its icon. A button put in between
// moves everything after it, so the right end keeps its looks.
struct StripItem {
  ControlId id;
  int step;
  int inset = 30;
};
constexpr std::array kStrip = {
    StripItem{ButtonId(ToolbarButton::Rectangle), 100, 20},
    StripItem{ButtonId(ToolbarButton::Ellipse), 380},
    StripItem{ButtonId(ToolbarButton::Text), 380, 40},
    StripItem{ButtonId(ToolbarButton::Arrow), 360, 20},
    StripItem{ButtonId(ToolbarButton::Pen), 380},
    StripItem{ButtonId(ToolbarButton::Highlighter), 380},
    StripItem{ButtonId(ToolbarButton::Mosaic), 380},
    StripItem{ButtonId(ToolbarButton::Steps), 380},
    StripItem{ControlId::ToolsSeparator, 360},
    StripItem{ButtonId(ToolbarButton::Undo), 120},
    StripItem{ButtonId(ToolbarButton::Redo), 370},
    StripItem{ButtonId(ToolbarButton::Save), 370},
    StripItem{ButtonId(ToolbarButton::Pin), 370},
    StripItem{ButtonId(ToolbarButton::ScrollCapture), 370},
    StripItem{ControlId::QuitSeparator, 340},
    StripItem{ButtonId(ToolbarButton::Quit), 120},
    StripItem{ButtonId(ToolbarButton::CopyQuit), 370},
    StripItem{ControlId::Toolbar, 350},
};

constexpr std::array<Colour, kPaletteColours> kPalette = {
    Rgb(0, 0, 0),       Rgb(128, 128, 128), Rgb(192, 0, 0),   Rgb(192, 192, 0),
    Rgb(0, 128, 0),     Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128),
    Rgb(255, 255, 255), Rgb(192, 192, 192), Rgb(255, 0, 0),   Rgb(255, 255, 0),
    Rgb(0, 255, 0),     Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255),
};

// The three looks of the font-size box, in the order of their ids.
constexpr std::array<Art, kComboLooks> kComboLookArt = {Art::ComboNormal, Art::ComboHover,
                                                        Art::ComboPressed};

// Where a row's control stands in its container, in design pixels (see Control).
struct Box {
  float left = 0, top = 0, width = 0, height = 0;
};

// How a row's control looks and behaves: Control's fields of the same names, with the same
// defaults, so a row names only what differs (in this order, as designated initializers must).
struct Look {
  bool in_picture_pixels = false;
  bool visible = true;
  Colour back_colour = 0;
  Colour fore_colour = 0;
  Colour border_colour = 0;
  Colour fill_colour = 0;
  bool has_border = false;
  bool has_fill = false;
  int border_width = 1;
  bool passes_pointer = false;
  bool own_window = false;
  std::u16string_view caption = {};
  Art picture = Art::None;
  std::u16string_view font_face = {};
  float font_points = 9;
};

// A group's members, from the row's id on: `count` of them, each `dx` right of the one before,
// a new line of them `dy` lower after every `columns` (0: all on one line).
struct Members {
  int count = 1;
  float dx = 0;
  int columns = 0;
  float dy = 0;
};

// One control, or one group of them alike.
struct Row {
  ControlId id;  // a group's first member
  ControlKind kind;
  std::string_view name;
  ControlId container;
  Box box;  // a group's first member; the toolbar's controls are placed by kStrip instead
  Look look = {};
  Members members = {};
};

using K = ControlKind;
using I = ControlId;

constexpr Look kMagnifierLine{.fore_colour = Rgb(0, 0, 0)};
constexpr Look kHighlight{.visible = false,
                          .border_colour = Rgb(36, 143, 251),
                          .fill_colour = Rgb(148, 217, 255),
                          .has_border = true,
                          .has_fill = true};

// Every control, in paint order: the bottom first, a container before its children, and the
// windowless controls of a container before its windowed ones. A row: its id, kind, name and
// container, its box, then its look and, for a group, its members.
// clang-format off
constexpr std::array kRows = {
    // Looks like a selection being drawn, but thicker and without handles: it is only offered.
    Row{I::Suggestion, K::Shape, "Suggestion", I::Window, {},
        {.in_picture_pixels = true, .visible = false, .border_colour = kSelection,
         .has_border = true, .border_width = 2}},
    Row{I::Selection, K::Shape, "Selection", I::Window, {},
        {.in_picture_pixels = true, .visible = false, .border_colour = kSelection,
         .has_border = true}},
    Row{I::SizeLabel, K::Label, "SizeLabel", I::Window, {8, 176, 185, 17},
        {.visible = false, .fore_colour = kSelection, .caption = u"宽X高", .font_face = u"宋体",
         .font_points = 10.5f}},
    Row{I::ColourLabel, K::Label, "ColourLabel", I::Window, {8, 192, 175, 17},
        {.visible = false, .fore_colour = kSelection, .caption = u"Label2", .font_face = u"宋体",
         .font_points = 10.5f}},
    Row{HandleId(0), K::Image, "Handle", I::Window, {0, 0, 4, 4},
        {.visible = false, .picture = Art::Handle}, {.count = kHandles}},
    // The selected mark's handles: the selection's, in a second colour.
    Row{MarkHandleId(0), K::Shape, "MarkHandle", I::Window, {0, 0, 4, 4},
        {.visible = false, .fill_colour = kMarkHandle, .has_fill = true}, {.count = kHandles}},
    // It stands where its text will be drawn; the text tool falls back to its font size when
    // FontSizeField holds no usable size.
    Row{I::TextBox, K::TextBox, "TextBox", I::Window, {136, 128, 33, 16},
        {.in_picture_pixels = true, .visible = false, .font_points = 11}},

    Row{I::Toolbar, K::Panel, "Toolbar", I::Window, {},
        {.visible = false, .back_colour = kPanelBack}},
    Row{I::ToolbarFrame, K::Shape, "ToolbarFrame", I::Toolbar, {},
        {.border_colour = kFrame, .has_border = true}},
    Row{HoverSquareId(0), K::Shape, "HoverSquare", I::Toolbar, {}, kHighlight,
        {.count = kToolbarButtons}},
    Row{I::ToolsSeparator, K::Line, "ToolsSeparator", I::Toolbar, {}, {.fore_colour = kSeparator}},
    Row{I::QuitSeparator, K::Line, "QuitSeparator", I::Toolbar, {}, {.fore_colour = kSeparator}},
    Row{ButtonId(0), K::Image, "Button", I::Toolbar, {}, {}, {.count = kToolbarButtons}},

    Row{I::StylePanel, K::Panel, "StylePanel", I::Window, {0, 28, kStylePanelWidth, Tw(560)},
        {.visible = false, .back_colour = kPanelBack}},
    Row{I::StyleFrame, K::Shape, "StyleFrame", I::StylePanel, {0, 0, kStylePanelWidth, Tw(560)},
        {.border_colour = kFrame, .has_border = true}},
    Row{I::FontPanel, K::Panel, "FontPanel", I::StylePanel, {4, 8, 73, 25},
        {.back_colour = kPanelBack}},
    Row{I::FontSizeIcon, K::Image, "FontSizeIcon", I::FontPanel, {0, Tw(40), 16, 16},
        {.picture = Art::FontSize}},
    Row{ComboLookId(0), K::Image, "ComboLook", I::FontPanel, {8, 32, 50, 22}, {},
        {.count = kComboLooks, .dx = 56}},
    Row{I::FontSizeList, K::ComboBox, "FontSizeList", I::FontPanel, {Tw(320), Tw(20), 49, 20},
        {.visible = false, .caption = u"11"}},
    Row{I::FontSizeBox, K::Panel, "FontSizeBox", I::FontPanel, {Tw(320), 0, 50, 22},
        {.picture = Art::ComboNormal}},
    Row{I::FontSizeField, K::TextBox, "FontSizeField", I::FontSizeBox, {4, 4, Tw(340), Tw(200)},
        {.back_colour = Rgb(255, 255, 255), .caption = u"11"}},
    Row{I::Palette, K::Panel, "Palette", I::StylePanel, {kPaletteBesideFontSize, 4, 161, Tw(440)},
        {.back_colour = kPanelBack}},
    Row{SwatchId(0), K::Panel, "Swatch", I::Palette, {32, 0, Tw(200), Tw(200)},
        {.border_colour = Rgb(0, 0, 0)},
        {.count = kPaletteColours, .dx = 16, .columns = 8, .dy = Tw(220)}},
    Row{SwatchId(kCurrentColourSwatch), K::Panel, "Swatch", I::Palette, {Tw(20), 0, 28, 28},
        {.back_colour = Rgb(255, 0, 0)}},

    // Chrome beside the pointer, never under it: a press or a move always reaches what lies
    // beneath. It follows every move, so it has a window of its own: the frozen picture's window
    // repaints nothing for it.
    Row{I::Magnifier, K::Panel, "Magnifier", I::Window, {0, 0, 122, 138},
        {.visible = false, .back_colour = Rgb(255, 255, 255), .border_colour = Rgb(64, 64, 64),
         .has_border = true, .passes_pointer = true, .own_window = true}},
    // 15 x 11 pixels at eight times their size, inside the frame; its border colour is the frame
    // around the centre pixel's, its fore colour the crosshair's.
    Row{I::MagnifierZoom, K::Zoom, "MagnifierZoom", I::Magnifier, {1, 1, 120, 88},
        {.fore_colour = kSelection, .border_colour = Rgb(0, 0, 0)}},
    Row{I::MagnifierPosition, K::Label, "MagnifierPosition", I::Magnifier, {4, 91, 114, 15},
        kMagnifierLine},
    Row{I::MagnifierColour, K::Label, "MagnifierColour", I::Magnifier, {4, 106, 114, 15},
        kMagnifierLine},
    Row{I::MagnifierHex, K::Label, "MagnifierHex", I::Magnifier, {4, 121, 114, 15},
        kMagnifierLine},

    // The choices of the tools that have them; the style panel lays them out for the tool.
    Row{I::ChoicePanel, K::Panel, "ChoicePanel", I::StylePanel, {4, Tw(130), 0, 20},
        {.visible = false, .back_colour = kPanelBack}},
    Row{ChoiceMarkId(0), K::Shape, "ChoiceMark", I::ChoicePanel, {0, 0, 20, 20}, kHighlight,
        {.count = kChoices, .dx = 24}},
    Row{ChoiceId(0), K::Image, "Choice", I::ChoicePanel, {2, 2, 16, 16}, {},
        {.count = kChoices, .dx = 24}},
};
// clang-format on

// Each control has exactly one row: one left out would be a default control, placed nowhere.
constexpr bool EachControlOnce() {
  std::array<int, static_cast<std::size_t>(ControlId::Count)> rows{};
  for (const Row& row : kRows) {
    for (int i = 0; i < row.members.count; ++i) {
      const int id = int(row.id) + i;
      if (id < 0 || id >= int(ControlId::Count)) return false;
      ++rows[static_cast<std::size_t>(id)];
    }
  }
  for (const int n : rows) {
    if (n != 1) return false;
  }
  return true;
}
static_assert(EachControlOnce(), "every ControlId needs one row in kRows");

void Place(Control& c, float left, float top, float width, float height) {
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
}

void Make(Control& c, const Row& row, int member) {
  const Members& m = row.members;
  const int column = m.columns > 0 ? member % m.columns : member;
  const int line = m.columns > 0 ? member / m.columns : 0;
  c.kind = row.kind;
  c.name = row.name;
  c.container = row.container;
  c.index = GroupOf(c.id).index;
  Place(c, row.box.left + m.dx * static_cast<float>(column),
        row.box.top + m.dy * static_cast<float>(line), row.box.width, row.box.height);
  const Look& look = row.look;
  c.in_picture_pixels = look.in_picture_pixels;
  c.visible = look.visible;
  c.back_colour = look.back_colour;
  c.fore_colour = look.fore_colour;
  c.border_colour = look.border_colour;
  c.fill_colour = look.fill_colour;
  c.has_border = look.has_border;
  c.has_fill = look.has_fill;
  c.border_width = look.border_width;
  c.passes_pointer = look.passes_pointer;
  c.own_window = look.own_window;
  c.caption = look.caption;
  c.picture = look.picture;
  c.font_face = look.font_face;
  c.font_points = look.font_points;
}

}  // namespace

Controls::Controls() {
  for (const Row& row : kRows) {
    for (int i = 0; i < row.members.count; ++i) {
      const auto id = ControlId(int(row.id) + i);
      (*this)[id].id = id;
      Make((*this)[id], row, i);
      paint_order_.push_back(id);
    }
  }
  // What tells the members of a group apart besides their place.
  for (std::size_t n = 0; n < kPalette.size(); ++n) {
    (*this)[SwatchId(static_cast<int>(n))].back_colour = kPalette[n];
  }
  for (std::size_t n = 0; n < kComboLookArt.size(); ++n) {
    (*this)[ComboLookId(static_cast<int>(n))].picture = kComboLookArt[n];
  }
  for (std::size_t n = 0; n < kButtons.size(); ++n) {
    Control& button = (*this)[ButtonId(static_cast<int>(n))];
    button.tooltip = kButtons[n].tooltip;
    button.picture = kButtons[n].art;
  }
  int twips = 0;
  for (const StripItem& item : kStrip) {
    twips += item.step;
    Control& c = (*this)[item.id];
    if (item.id == I::Toolbar) {
      Place(c, 0, 0, Tw(twips), 26);
      Place((*this)[I::ToolbarFrame], 0, 0, c.width, 26);
    } else if (c.kind == K::Line) {
      Place(c, Tw(twips), Tw(40), 0, Tw(320) - Tw(40));
    } else {
      Place(c, Tw(twips), 5, 16, 16);
      Place((*this)[HoverSquareId(c.index)], Tw(twips - item.inset), 3, 20, 20);
    }
  }
}

Tool ToolOf(ToolbarButton button) {
  return kButtons[static_cast<std::size_t>(button)].tool;
}

}  // namespace capture
