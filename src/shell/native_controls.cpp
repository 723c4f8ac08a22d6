#include "shell/native_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "shell/fonts.h"
#include "shell/text.h"

namespace capture::win32 {
namespace {

constexpr UINT_PTR kEscapeSubclass = 1;
constexpr std::array<const wchar_t*, 9> kFontSizes = {L"6",  L"8",  L"9",  L"10", L"11",
                                                      L"12", L"14", L"18", L"20"};
// The combo box's face and its drop-down list, which shows every size without scrolling, in
// design pixels.
constexpr float kComboFaceHeight = 20, kComboListHeight = 9 * 20;
constexpr float kComboPoints = 9;

// The height of a line of text in the font.
int LineHeight(HFONT font) {
  CreatedDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return 0;
  SelectedObject selected(dc.get(), font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  return static_cast<int>(metrics.tmHeight);
}

RectI WindowRect(const Controls& model, ControlId id) {
  const PointF o = model.Origin(id), e = model.Extent(id);
  return {Round(o.x), Round(o.y), Round(o.x + e.x), Round(o.y + e.y)};
}

// The height the combo box is given: its face and the list that drops below it.
int ComboHeight(const ChromeScale& scale) {
  return Round(scale(kComboFaceHeight + kComboListHeight));
}

// How far from its window's top-left an edit control puts the top-left of its text (border,
// margins): the system's business, so it is measured.
POINT TextInset(HWND edit) {
  RECT window{}, text{};
  ::GetWindowRect(edit, &window);
  POINT client{0, 0};
  ::ClientToScreen(edit, &client);
  ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  return {client.x - window.left + text.left, client.y - window.top + text.top};
}

// A box that grew as the text did may have scrolled its start out of sight on the way; now that
// the text fits, it shows from the first character again, caret and selection kept.
void ShowFromStart(HWND edit) {
  DWORD start = 0, end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  ::SendMessageW(edit, EM_SETSEL, 0, 0);
  ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  ::SendMessageW(edit, EM_SETSEL, start, end);
  ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

// Ctrl+Shift+S, quick save, which a text box has no use for.
bool IsQuickSaveKeyDown(WPARAM key) {
  return key == 'S' && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) < 0 &&
         ::GetKeyState(VK_MENU) >= 0;
}

// The form's key reaction sees Escape and quick save also while a text box has the keyboard
// focus, so Escape always ends the capture and quick save takes the typed text along; with
// `enter` (the text tool's box) Enter too, which ends the typing. Every other key stays the box's.
LRESULT CALLBACK ForwardEscape(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                               DWORD_PTR enter) noexcept {
  const bool forwarded_enter = enter != 0 && wparam == VK_RETURN;
  if (message == WM_KEYDOWN &&
      (wparam == VK_ESCAPE || forwarded_enter || IsQuickSaveKeyDown(wparam))) {
    return ::SendMessageW(::GetParent(hwnd), WM_KEYDOWN, wparam, lparam);
  }
  // The characters of the key-downs above (Ctrl+S types DC3).
  if (message == WM_CHAR && (wparam == VK_ESCAPE || forwarded_enter || wparam == 0x13)) return 0;
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, ForwardEscape, id);
  return ::DefSubclassProc(hwnd, message, wparam, lparam);
}

HWND MakeChild(const wchar_t* cls, DWORD style, ControlId id, HWND parent, HINSTANCE instance,
               int height = 0) {
  return ::CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 0, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + int(id))), instance,
                           nullptr);
}

}  // namespace

void NativeControls::Create(HWND parent, HINSTANCE instance) {
  parent_ = parent;
  instance_ = instance;
}

bool NativeControls::MakeChildren(const Controls& model) {
  const HWND parent = parent_;
  const HINSTANCE instance = instance_;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);

  text_edit_.hwnd = MakeChild(L"EDIT", WS_BORDER | ES_LEFT | ES_AUTOHSCROLL, ControlId::TextBox,
                              parent, instance);
  text1_.hwnd =
      MakeChild(L"EDIT", ES_LEFT | ES_AUTOHSCROLL, ControlId::FontSizeField, parent, instance);
  combo1_.hwnd = MakeChild(L"COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST, ControlId::FontSizeList,
                           parent, instance, ComboHeight(model.scale));
  tooltip_ =
      ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
  if (!text_edit_.hwnd || !text1_.hwnd || !combo1_.hwnd || !tooltip_) return false;

  ::SetWindowSubclass(text_edit_.hwnd, ForwardEscape, kEscapeSubclass, 1);
  ::SetWindowSubclass(text1_.hwnd, ForwardEscape, kEscapeSubclass, 0);

  // Only the list is ever seen: the combo box's own face has an empty window region, which also
  // keeps it from taking clicks, while CB_SHOWDROPDOWN still drops the list below it.
  for (const wchar_t* size : kFontSizes) {
    ::SendMessageW(combo1_.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
  }
  Region empty(::CreateRectRgn(0, 0, 0, 0));
  if (empty && ::SetWindowRgn(combo1_.hwnd, empty.get(), FALSE)) empty.release();  // system's now

  std::vector<ControlId> tipped;
  tipped.reserve(kToolbarButtons + kChoices);
  for (int i = 0; i < kToolbarButtons; ++i) tipped.push_back(ButtonId(i));
  for (int i = 0; i < kChoices; ++i) tipped.push_back(ChoiceId(i));
  for (const ControlId id : tipped) {
    const std::wstring text = Wide(model[id].tooltip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = static_cast<UINT_PTR>(id);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());  // copied by the tooltip control
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tips_.push_back({id, RectI{}, model[id].tooltip});
  }
  return true;
}

HWND NativeControls::Handle(ControlId id) const {
  switch (id) {
    case ControlId::TextBox:
      return text_edit_.hwnd;
    case ControlId::FontSizeField:
      return text1_.hwnd;
    case ControlId::FontSizeList:
      return combo1_.hwnd;
    default:
      return nullptr;
  }
}

ControlId NativeControls::IdOf(HWND child) const {
  if (!child) return ControlId::Window;
  for (ControlId id : {ControlId::TextBox, ControlId::FontSizeField, ControlId::FontSizeList}) {
    if (Handle(id) == child) return id;
  }
  return ControlId::Window;
}

Colour NativeControls::TextColour(HWND edit) const {
  return edit == text_edit_.hwnd ? text_edit_colour_ : text1_colour_;
}

std::u16string NativeControls::TextOf(HWND control) {
  const int length = ::GetWindowTextLengthW(control);
  std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(control, text.data(), length + 1);
  return Utf16(std::wstring_view(text.data(), static_cast<std::size_t>(std::max(0, got))));
}

void NativeControls::Mirror(const Controls& model) {
  if (!parent_) return;
  if (!made_) {
    const bool needed = model.ShownOnScreen(ControlId::Toolbar) ||
                        model.ShownOnScreen(ControlId::TextBox) ||
                        model.ShownOnScreen(ControlId::FontPanel);
    if (!needed) return;
    made_ = true;
    if (!MakeChildren(model)) {
      parent_ = nullptr;  // no native controls this run: the window still captures and saves
      return;
    }
  }
  MirrorEdit(text_edit_, model[ControlId::TextBox], model);
  MirrorEdit(text1_, model[ControlId::FontSizeField], model);
  MirrorCombo(model);
  MirrorTooltips(model);
}

bool NativeControls::Refont(Mirrored& control, float points, int dpi) {
  if (points == control.font_points && dpi == control.font_dpi && control.font) return false;
  Font font = MakeFont(kUiFace, points, dpi);
  if (!font) return false;
  ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  control.font = std::move(font);  // the old font is deleted only once the control has let it go
  control.font_points = points;
  control.font_dpi = dpi;
  return true;
}

void NativeControls::MirrorEdit(Mirrored& edit, const Control& c, const Controls& model) {
  // The text tool's box shows its text in the size it will be drawn into the picture: at the
  // chrome's DPI, as the surface draws it.
  if (Refont(edit, c.font_points, model.scale.dpi)) {
    ::SendMessageW(edit.hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    edit.line_height = LineHeight(edit.font.get());
  }
  const RectI model_rect = WindowRect(model, c.id);
  // The text tool's box shows its text where it will be drawn: its first character sits at the
  // model's top-left with the border and margins around it, and the box is tall enough for the
  // font (the model's height stays as designed), with room for the caret at the end. The
  // insets are measured on the box as placed, so a second pass settles them.
  for (int pass = 0; pass < 2; ++pass) {
    RectI rect = model_rect;
    if (edit.hwnd == text_edit_.hwnd) {
      constexpr int kCaret = 2;
      const POINT inset = TextInset(edit.hwnd);
      rect = {rect.left - inset.x, rect.top - inset.y, rect.right + inset.x + kCaret,
              rect.top + std::max(rect.bottom - rect.top, edit.line_height) + inset.y};
    }
    if (rect == edit.rect) break;
    ::SetWindowPos(edit.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    edit.rect = rect;
    ShowFromStart(edit.hwnd);
  }
  if (TextOf(edit.hwnd) != c.caption) {
    mirroring_ = true;
    ::SetWindowTextW(edit.hwnd, Wide(c.caption).c_str());
    mirroring_ = false;
  }
  Colour& colour = edit.hwnd == text_edit_.hwnd ? text_edit_colour_ : text1_colour_;
  if (colour != c.fore_colour) {
    colour = c.fore_colour;
    ::InvalidateRect(edit.hwnd, nullptr, TRUE);
  }
  const bool shown = model.ShownOnScreen(c.id);
  if (shown != edit.shown) {
    // A hidden box must not keep the keyboard: keys go back to the window (Escape).
    if (!shown && ::GetFocus() == edit.hwnd) ::SetFocus(parent_);
    ::ShowWindow(edit.hwnd, shown ? SW_SHOWNA : SW_HIDE);
    edit.shown = shown;
  }
}

void NativeControls::MirrorCombo(const Controls& model) {
  // The list drops below the face, so the face lies where the model puts FontSizeList (under
  // FontSizeBox) and exists while the font-size group is on screen.
  const bool shown = model.ShownOnScreen(ControlId::FontPanel);
  const bool refonted = Refont(combo1_, kComboPoints, model.scale.dpi);
  const RectI rect = WindowRect(model, ControlId::FontSizeList);
  if (rect != combo1_.rect || refonted) {
    ::SetWindowPos(combo1_.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                   ComboHeight(model.scale), SWP_NOZORDER | SWP_NOACTIVATE);
    combo1_.rect = rect;
  }
  const std::u16string& caption = model[ControlId::FontSizeList].caption;
  if (caption != combo_caption_) {
    const LRESULT item = ::SendMessageW(combo1_.hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(Wide(caption).c_str()));
    ::SendMessageW(combo1_.hwnd, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    combo_caption_ = caption;
  }
  if (shown != combo1_.shown) {
    if (!shown) ::SendMessageW(combo1_.hwnd, CB_SHOWDROPDOWN, FALSE, 0);
    ::ShowWindow(combo1_.hwnd, shown ? SW_SHOWNA : SW_HIDE);
    combo1_.shown = shown;
  }
}

void NativeControls::MirrorTooltips(const Controls& model) {
  if (model.scale.dpi != tooltip_dpi_) {
    Font font = MakeFont(kUiFace, kComboPoints, model.scale.dpi);
    if (font) {
      ::SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
      tooltip_font_ = std::move(font);
      tooltip_dpi_ = model.scale.dpi;
    }
  }
  // A tool lies over its control only while the control is on screen; a choice's text changes
  // with the tool the style panel is laid out for.
  for (Tip& tip : tips_) {
    const Control& c = model[tip.id];
    const RectI rect = model.ShownOnScreen(tip.id) ? WindowRect(model, tip.id) : RectI{};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = parent_;
    tool.uId = static_cast<UINT_PTR>(tip.id);
    if (c.tooltip != tip.text) {
      const std::wstring text = Wide(c.tooltip);
      tool.lpszText = const_cast<wchar_t*>(text.c_str());  // copied by the tooltip control
      ::SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
      tip.text = c.tooltip;
    }
    if (rect == tip.rect) continue;
    tool.rect = {rect.left, rect.top, rect.right, rect.bottom};
    ::SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    tip.rect = rect;
  }
}

}  // namespace capture::win32
