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

// Toolbar buttons by index: left of the icon, left of its hover square (twips), tooltip, icon.
struct ButtonDesign {
  int icon_left;
  int square_left;
  const char16_t* tooltip;
  Art art;
};
constexpr std::array<ButtonDesign, 9> kButtons = {{
    {1700, 1670, u"撤销", Art::Undo},           // 0
    {3270, 3240, u"复制退出", Art::CopyQuit},   // 1
    {2440, 2410, u"保存", Art::Save},           // 2
    {2900, 2870, u"退出截屏", Art::Quit},       // 3
    {1220, 1200, u"添加箭头", Art::ToolArrow},  // 4
    {860, 820, u"添加文字", Art::ToolText},     // 5
    {480, 450, u"添加椎圆", Art::ToolEllipse},  // 6
    {100, 80, u"添加矩形", Art::ToolRect},      // 7
    {2070, 2040, u"重做", Art::Redo},           // 8
}};

constexpr std::array<Colour, 16> kPalette = {
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

  Control& text_edit = make(I::TextEdit, K::TextBox, "TextEdit", I::Window);
  Place(text_edit, 136, 128, 33, 16);
  text_edit.visible = false;
  text_edit.in_picture_pixels = true;  // it stands where its text will be drawn
  text_edit.font_points = 11;  // the text tool falls back to it when Text1 is not a usable size

  Control& picture2 = make(I::Picture2, K::Panel, "Picture2", I::Window);
  Place(picture2, 0, 28, Tw(3620), Tw(560));
  picture2.back_colour = kPanelBack;
  picture2.visible = false;

  Control& pic_font = make(I::PicFont, K::Panel, "PicFont", I::Picture2);
  Place(pic_font, 4, 8, 73, 25);
  pic_font.back_colour = kPanelBack;

  Control& pic_combox = make(I::PicCombox, K::Panel, "PicCombox", I::PicFont);
  Place(pic_combox, Tw(320), 0, 50, 22);
  pic_combox.picture = Art::ComboNormal;

  Control& text1 = make(I::Text1, K::TextBox, "Text1", I::PicCombox);
  Place(text1, 4, 4, Tw(340), Tw(200));
  text1.caption = u"11";
  text1.back_colour = Rgb(255, 255, 255);

  Control& combo1 = make(I::Combo1, K::ComboBox, "Combo1", I::PicFont);
  Place(combo1, Tw(320), Tw(20), 49, 20);
  combo1.caption = u"11";
  combo1.visible = false;

  constexpr std::array<Art, 3> kLooks = {Art::ComboNormal, Art::ComboHover, Art::ComboPressed};
  for (std::size_t n = 0; n < kLooks.size(); ++n) {
    const int i = static_cast<int>(n);
    Control& look = make(Image4(i), K::Image, "Image4", I::PicFont, i);
    Place(look, 8.f + 56.f * static_cast<float>(i), 32, 50, 22);
    look.picture = kLooks[n];
  }

  Control& image3 = make(I::Image3, K::Image, "Image3", I::PicFont);
  Place(image3, 0, Tw(40), 16, 16);
  image3.picture = Art::FontSize;

  Control& pic_color = make(I::PicColor, K::Panel, "PicColor", I::Picture2);
  Place(pic_color, Tw(1180), 4, 161, Tw(440));
  pic_color.back_colour = kPanelBack;

  for (std::size_t n = 0; n < kPalette.size(); ++n) {
    const int i = static_cast<int>(n);
    Control& swatch = make(Pcolor(i), K::Panel, "Pcolor", I::PicColor, i);
    Place(swatch, 32.f + 16.f * static_cast<float>(i % 8), i < 8 ? 0.f : Tw(220), Tw(200), Tw(200));
    swatch.back_colour = kPalette[n];
    swatch.border_colour = Rgb(0, 0, 0);
  }
  Control& current = make(Pcolor(16), K::Panel, "Pcolor", I::PicColor, 16);
  Place(current, Tw(20), 0, 28, 28);
  current.back_colour = Rgb(255, 0, 0);

  Control& shape4 = make(I::Shape4, K::Shape, "Shape4", I::Picture2);
  Place(shape4, 0, 0, Tw(3620), Tw(560));
  shape4.border_colour = kFrame;
  shape4.has_border = true;

  Control& picture1 = make(I::Picture1, K::Panel, "Picture1", I::Window);
  Place(picture1, 0, 0, Tw(3620), 26);
  picture1.back_colour = kPanelBack;
  picture1.visible = false;

  Control& line2 = make(I::Line2, K::Line, "Line2", I::Picture1);
  Place(line2, Tw(2780), Tw(40), 0, Tw(320) - Tw(40));
  line2.fore_colour = kSeparator;

  for (std::size_t n = 0; n < kButtons.size(); ++n) {
    const int i = static_cast<int>(n);
    Control& button = make(Image2(i), K::Image, "Image2", I::Picture1, i);
    Place(button, Tw(kButtons[n].icon_left), 5, 16, 16);
    button.tooltip = kButtons[n].tooltip;
    button.picture = kButtons[n].art;
  }

  Control& line1 = make(I::Line1, K::Line, "Line1", I::Picture1);
  Place(line1, Tw(1580), Tw(40), 0, Tw(320) - Tw(40));
  line1.fore_colour = kSeparator;

  Control& shape2 = make(I::Shape2, K::Shape, "Shape2", I::Picture1);
  Place(shape2, 0, 0, Tw(3620), 26);
  shape2.border_colour = kFrame;
  shape2.has_border = true;

  for (std::size_t n = 0; n < kButtons.size(); ++n) {
    const int i = static_cast<int>(n);
    Control& square = make(Shape3(i), K::Shape, "Shape3", I::Picture1, i);
    Place(square, Tw(kButtons[n].square_left), 3, 20, 20);
    square.border_colour = Rgb(36, 143, 251);
    square.has_border = true;
    square.fill_colour = Rgb(148, 217, 255);
    square.has_fill = true;
    square.visible = false;
  }

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
  readout(I::lblInfo, "lblInfo", 192, 175, u"Label2");

  for (int i = 0; i < 8; ++i) {
    Control& handle = make(Image1(i), K::Image, "Image1", I::Window, i);
    Place(handle, 0, 0, 4, 4);
    handle.picture = Art::Handle;
    handle.visible = false;
  }

  Control& shape1 = make(I::Shape1, K::Shape, "Shape1", I::Window);
  shape1.border_colour = kSelection;
  shape1.has_border = true;
  shape1.visible = false;
  shape1.in_picture_pixels = true;

  readout(I::LblPos, "LblPos", 176, 185, u"宽X高");

  // Bottom first. Windowless controls of a container come before its windowed children.
  paint_order_ = {I::Shape1, I::LblPos, I::lblInfo};
  for (int i = 0; i < 8; ++i) paint_order_.push_back(Image1(i));
  paint_order_.push_back(I::TextEdit);
  paint_order_.push_back(I::Picture1);
  paint_order_.push_back(I::Shape2);
  for (int i = 0; i < 9; ++i) paint_order_.push_back(Shape3(i));
  paint_order_.push_back(I::Line1);
  paint_order_.push_back(I::Line2);
  for (int i = 0; i < 9; ++i) paint_order_.push_back(Image2(i));
  paint_order_.push_back(I::Picture2);
  paint_order_.push_back(I::Shape4);
  paint_order_.push_back(I::PicFont);
  paint_order_.push_back(I::Image3);
  for (int i = 0; i < 3; ++i) paint_order_.push_back(Image4(i));
  paint_order_.push_back(I::Combo1);
  paint_order_.push_back(I::PicCombox);
  paint_order_.push_back(I::Text1);
  paint_order_.push_back(I::PicColor);
  for (int i = 0; i <= 16; ++i) paint_order_.push_back(Pcolor(i));
}

bool Controls::ShownOnScreen(ControlId id) const {
  for (ControlId c = id; c != ControlId::Window; c = (*this)[c].container) {
    if (!(*this)[c].visible) return false;
  }
  return true;
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
  auto in = [id](ControlId first, int count) {
    return int(first) <= int(id) && int(id) < int(first) + count;
  };
  if (in(ControlId::Image1_0, 8)) return {ControlId::Image1_0, int(id) - int(ControlId::Image1_0)};
  if (in(ControlId::Image2_0, 9)) return {ControlId::Image2_0, int(id) - int(ControlId::Image2_0)};
  if (in(ControlId::Image4_0, 3)) return {ControlId::Image4_0, int(id) - int(ControlId::Image4_0)};
  if (in(ControlId::Shape3_0, 9)) return {ControlId::Shape3_0, int(id) - int(ControlId::Shape3_0)};
  if (in(ControlId::Pcolor_0, 17)) return {ControlId::Pcolor_0, int(id) - int(ControlId::Pcolor_0)};
  return {id, -1};
}

}  // namespace capture
