#include "form/controls.h"

#include <cmath>

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

void Place(Control& c, float left, float top, float width, float height) {
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
}

}  // namespace

Controls::Controls() {
  auto make = [this](ControlId id, ControlKind kind, std::string_view name, ControlId container,
                     int index = -1) -> Control& {
    Control& c = (*this)[id];
    c.id = id;
    c.kind = kind;
    c.name = name;
    c.container = container;
    c.index = index;
    return c;
  };
  using K = ControlKind;
  using I = ControlId;

  Control& text_box = make(I::TextBox, K::TextBox, "TextBox", I::Window);
  Place(text_box, 136, 128, 33, 16);
  text_box.visible = false;
  text_box.in_picture_pixels = true;  // it stands where its text will be drawn
  text_box.font_points =
      11;  // the text tool falls back to it when FontSizeField is not a usable size

  Control& style_panel = make(I::StylePanel, K::Panel, "StylePanel", I::Window);
  Place(style_panel, 0, 28, kStylePanelWidth, Tw(560));
  style_panel.back_colour = kPanelBack;
  style_panel.visible = false;

  Control& font_panel = make(I::FontPanel, K::Panel, "FontPanel", I::StylePanel);
  Place(font_panel, 4, 8, 73, 25);
  font_panel.back_colour = kPanelBack;

  Control& font_size_box = make(I::FontSizeBox, K::Panel, "FontSizeBox", I::FontPanel);
  Place(font_size_box, Tw(320), 0, 50, 22);
  font_size_box.picture = Art::ComboNormal;

  Control& font_size_field = make(I::FontSizeField, K::TextBox, "FontSizeField", I::FontSizeBox);
  Place(font_size_field, 4, 4, Tw(340), Tw(200));
  font_size_field.caption = u"11";
  font_size_field.back_colour = Rgb(255, 255, 255);

  Control& font_size_list = make(I::FontSizeList, K::ComboBox, "FontSizeList", I::FontPanel);
  Place(font_size_list, Tw(320), Tw(20), 49, 20);
  font_size_list.caption = u"11";
  font_size_list.visible = false;

  constexpr std::array<Art, 3> kLooks = {Art::ComboNormal, Art::ComboHover, Art::ComboPressed};
  for (std::size_t n = 0; n < kLooks.size(); ++n) {
    const int i = static_cast<int>(n);
    Control& look = make(ComboLookId(i), K::Image, "ComboLook", I::FontPanel, i);
    Place(look, 8.f + 56.f * static_cast<float>(i), 32, 50, 22);
    look.picture = kLooks[n];
  }

  Control& font_size_icon = make(I::FontSizeIcon, K::Image, "FontSizeIcon", I::FontPanel);
  Place(font_size_icon, 0, Tw(40), 16, 16);
  font_size_icon.picture = Art::FontSize;

  Control& palette = make(I::Palette, K::Panel, "Palette", I::StylePanel);
  Place(palette, kPaletteBesideFontSize, 4, 161, Tw(440));
  palette.back_colour = kPanelBack;

  for (std::size_t n = 0; n < kPalette.size(); ++n) {
    const int i = static_cast<int>(n);
    Control& swatch = make(SwatchId(i), K::Panel, "Swatch", I::Palette, i);
    Place(swatch, 32.f + 16.f * static_cast<float>(i % 8), i < 8 ? 0.f : Tw(220), Tw(200), Tw(200));
    swatch.back_colour = kPalette[n];
    swatch.border_colour = Rgb(0, 0, 0);
  }
  Control& current =
      make(SwatchId(kCurrentColourSwatch), K::Panel, "Swatch", I::Palette, kCurrentColourSwatch);
  Place(current, Tw(20), 0, 28, 28);
  current.back_colour = Rgb(255, 0, 0);

  Control& style_frame = make(I::StyleFrame, K::Shape, "StyleFrame", I::StylePanel);
  Place(style_frame, 0, 0, kStylePanelWidth, Tw(560));
  style_frame.border_colour = kFrame;
  style_frame.has_border = true;

  // The choices of the tools that have them; the style panel lays them out for the tool.
  Control& choices = make(I::ChoicePanel, K::Panel, "ChoicePanel", I::StylePanel);
  Place(choices, 4, Tw(130), 0, 20);
  choices.back_colour = kPanelBack;
  choices.visible = false;
  for (int i = 0; i < kChoices; ++i) {
    const auto left = 24.f * static_cast<float>(i);
    Control& mark = make(ChoiceMarkId(i), K::Shape, "ChoiceMark", I::ChoicePanel, i);
    Place(mark, left, 0, 20, 20);
    mark.border_colour = Rgb(36, 143, 251);
    mark.has_border = true;
    mark.fill_colour = Rgb(148, 217, 255);
    mark.has_fill = true;
    mark.visible = false;
    Control& choice = make(ChoiceId(i), K::Image, "Choice", I::ChoicePanel, i);
    Place(choice, left + 2, 2, 16, 16);
  }

  Control& toolbar = make(I::Toolbar, K::Panel, "Toolbar", I::Window);
  toolbar.back_colour = kPanelBack;
  toolbar.visible = false;

  for (const ControlId separator : {I::ToolsSeparator, I::QuitSeparator}) {
    Control& line =
        make(separator, K::Line,
             separator == I::ToolsSeparator ? "ToolsSeparator" : "QuitSeparator", I::Toolbar);
    line.fore_colour = kSeparator;
  }
  for (std::size_t n = 0; n < kButtons.size(); ++n) {
    const int i = static_cast<int>(n);
    Control& button = make(ButtonId(i), K::Image, "Button", I::Toolbar, i);
    button.tooltip = kButtons[n].tooltip;
    button.picture = kButtons[n].art;
    Control& square = make(HoverSquareId(i), K::Shape, "HoverSquare", I::Toolbar, i);
    square.border_colour = Rgb(36, 143, 251);
    square.has_border = true;
    square.fill_colour = Rgb(148, 217, 255);
    square.has_fill = true;
    square.visible = false;
  }
  int twips = 0;
  for (const StripItem& item : kStrip) {
    twips += item.step;
    Control& c = (*this)[item.id];
    if (item.id == I::Toolbar) {
      Place(c, 0, 0, Tw(twips), 26);
    } else if (c.kind == K::Line) {
      Place(c, Tw(twips), Tw(40), 0, Tw(320) - Tw(40));
    } else {
      Place(c, Tw(twips), 5, 16, 16);
      Place((*this)[HoverSquareId(c.index)], Tw(twips - item.inset), 3, 20, 20);
    }
  }

  Control& toolbar_frame = make(I::ToolbarFrame, K::Shape, "ToolbarFrame", I::Toolbar);
  Place(toolbar_frame, 0, 0, toolbar.width, 26);
  toolbar_frame.border_colour = kFrame;
  toolbar_frame.has_border = true;

  auto readout = [&](ControlId id, std::string_view name, float top, float width,
                     std::u16string_view caption) {
    Control& label = make(id, K::Label, name, I::Window);
    Place(label, 8, top, width, 17);
    label.fore_colour = kSelection;
    label.font_face = u"宋体";
    label.font_points = 10.5f;
    label.caption = caption;
    label.visible = false;
  };
  readout(I::ColourLabel, "ColourLabel", 192, 175, u"Label2");

  for (int i = 0; i < kHandles; ++i) {
    Control& handle = make(HandleId(i), K::Image, "Handle", I::Window, i);
    Place(handle, 0, 0, 4, 4);
    handle.picture = Art::Handle;
    handle.visible = false;
  }

  for (int i = 0; i < kHandles; ++i) {
    Control& handle = make(MarkHandleId(i), K::Shape, "MarkHandle", I::Window, i);
    Place(handle, 0, 0, 4, 4);
    handle.fill_colour = kMarkHandle;
    handle.has_fill = true;
    handle.visible = false;
  }

  Control& selection = make(I::Selection, K::Shape, "Selection", I::Window);
  selection.border_colour = kSelection;
  selection.has_border = true;
  selection.visible = false;
  selection.in_picture_pixels = true;

  readout(I::SizeLabel, "SizeLabel", 176, 185, u"宽X高");

  // Looks like a selection being drawn, but thicker and without handles: it is only offered.
  Control& suggestion = make(I::Suggestion, K::Shape, "Suggestion", I::Window);
  suggestion.border_colour = kSelection;
  suggestion.has_border = true;
  suggestion.border_width = 2;
  suggestion.visible = false;
  suggestion.in_picture_pixels = true;

  // Chrome beside the pointer, never under it: a press or a move always reaches what lies beneath.
  // It follows every move, so it has a window of its own: the frozen picture's window repaints
  // nothing for it.
  Control& magnifier = make(I::Magnifier, K::Panel, "Magnifier", I::Window);
  magnifier.own_window = true;
  Place(magnifier, 0, 0, 122, 138);
  magnifier.back_colour = Rgb(255, 255, 255);
  magnifier.border_colour = Rgb(64, 64, 64);
  magnifier.has_border = true;
  magnifier.passes_pointer = true;
  magnifier.visible = false;
  // 15 x 11 pixels at eight times their size, inside the frame.
  Control& zoom = make(I::MagnifierZoom, K::Zoom, "MagnifierZoom", I::Magnifier);
  Place(zoom, 1, 1, 120, 88);
  zoom.border_colour = Rgb(0, 0, 0);  // the frame around the centre pixel
  zoom.fore_colour = kSelection;      // the crosshair
  auto readout_line = [&](ControlId id, std::string_view name, float top) {
    Control& line = make(id, K::Label, name, I::Magnifier);
    Place(line, 4, top, 114, 15);
    line.fore_colour = Rgb(0, 0, 0);
  };
  readout_line(I::MagnifierPosition, "MagnifierPosition", 91);
  readout_line(I::MagnifierColour, "MagnifierColour", 106);
  readout_line(I::MagnifierHex, "MagnifierHex", 121);

  // Bottom first. Windowless controls of a container come before its windowed children.
  paint_order_ = {I::Suggestion, I::Selection, I::SizeLabel, I::ColourLabel};
  for (int i = 0; i < kHandles; ++i) paint_order_.push_back(HandleId(i));
  for (int i = 0; i < kHandles; ++i) paint_order_.push_back(MarkHandleId(i));
  paint_order_.push_back(I::TextBox);
  paint_order_.push_back(I::Toolbar);
  paint_order_.push_back(I::ToolbarFrame);
  for (int i = 0; i < kToolbarButtons; ++i) paint_order_.push_back(HoverSquareId(i));
  paint_order_.push_back(I::ToolsSeparator);
  paint_order_.push_back(I::QuitSeparator);
  for (int i = 0; i < kToolbarButtons; ++i) paint_order_.push_back(ButtonId(i));
  paint_order_.push_back(I::StylePanel);
  paint_order_.push_back(I::StyleFrame);
  paint_order_.push_back(I::FontPanel);
  paint_order_.push_back(I::FontSizeIcon);
  for (int i = 0; i < kComboLooks; ++i) paint_order_.push_back(ComboLookId(i));
  paint_order_.push_back(I::FontSizeList);
  paint_order_.push_back(I::FontSizeBox);
  paint_order_.push_back(I::FontSizeField);
  paint_order_.push_back(I::Palette);
  for (int i = 0; i < kSwatches; ++i) paint_order_.push_back(SwatchId(i));
  for (ControlId id : {I::Magnifier, I::MagnifierZoom, I::MagnifierPosition, I::MagnifierColour,
                       I::MagnifierHex}) {
    paint_order_.push_back(id);
  }
  paint_order_.push_back(I::ChoicePanel);
  for (int i = 0; i < kChoices; ++i) paint_order_.push_back(ChoiceMarkId(i));
  for (int i = 0; i < kChoices; ++i) paint_order_.push_back(ChoiceId(i));
}

bool Controls::ShownOnScreen(ControlId id) const {
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    if (!(*this)[c].visible) return false;
  }
  return true;
}

bool Controls::InOwnWindow(ControlId id) const {
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    if ((*this)[c].own_window) return true;
  }
  return false;
}

bool Controls::Within(ControlId id, ControlId root) const {
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    if (c == root) return true;
  }
  return false;
}

PointF Controls::Origin(ControlId id) const {
  PointF p;
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    const Control& control = (*this)[c];
    // A control on the window was placed in window pixels; a child's offset is a design size.
    const bool on_window = control.container == ControlId::Window;
    p.x += on_window ? control.left : scale(control.left);
    p.y += on_window ? control.top : scale(control.top);
  }
  return p;
}

PointF Controls::Extent(ControlId id) const {
  const Control& c = (*this)[id];
  if (c.in_picture_pixels) return {c.width, c.height};
  return {scale(c.width), scale(c.height)};
}

PointF Controls::ToContainer(ControlId id, PointF window_point) const {
  const ControlId container = (*this)[id].container;
  if (container == ControlId::Window) return window_point;
  const PointF origin = Origin(container);
  return {scale.ToDesign(window_point.x - origin.x), scale.ToDesign(window_point.y - origin.y)};
}

RectI Controls::Bounds(ControlId id) const {
  const PointF o = Origin(id), e = Extent(id);
  float x1 = o.x, y1 = o.y, x2 = o.x + e.x, y2 = o.y + e.y;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  // One pixel of slack covers outlines drawn on the far edge and rounding of fractional sizes.
  return {
      static_cast<std::int32_t>(std::floor(x1)) - 1, static_cast<std::int32_t>(std::floor(y1)) - 1,
      static_cast<std::int32_t>(std::ceil(x2)) + 2, static_cast<std::int32_t>(std::ceil(y2)) + 2};
}

ControlId Controls::HitTest(PointF p) const {
  auto contains = [this, p](ControlId id) {
    const PointF o = Origin(id), e = Extent(id);
    return o.x <= p.x && p.x < o.x + e.x && o.y <= p.y && p.y < o.y + e.y;
  };
  for (auto it = paint_order_.rbegin(); it != paint_order_.rend(); ++it) {
    const ControlId id = *it;
    if (!(*this)[id].TakesPointer() || !ShownOnScreen(id) || !contains(id)) continue;
    // A child is seen only inside its containers.
    bool clipped = false;
    for (ControlId c = (*this)[id].container; c != ControlId::Window; c = (*this)[c].container) {
      if (!contains(c)) clipped = true;
    }
    if (!clipped) return id;
  }
  return ControlId::Window;
}

GroupMember GroupOf(ControlId id) {
  constexpr std::array<GroupMember, 8> kGroups = {{{ControlId::Handle_0, kHandles},
                                                   {ControlId::MarkHandle_0, kHandles},
                                                   {ControlId::Choice_0, kChoices},
                                                   {ControlId::ChoiceMark_0, kChoices},
                                                   {ControlId::Button_0, kToolbarButtons},
                                                   {ControlId::ComboLook_0, kComboLooks},
                                                   {ControlId::HoverSquare_0, kToolbarButtons},
                                                   {ControlId::Swatch_0, kSwatches}}};
  for (const auto& [first, count] : kGroups) {
    const int index = int(id) - int(first);
    if (0 <= index && index < count) return {first, index};
  }
  return {id, -1};
}

Tool ToolOf(ToolbarButton button) {
  return kButtons[static_cast<std::size_t>(button)].tool;
}

}  // namespace capture
