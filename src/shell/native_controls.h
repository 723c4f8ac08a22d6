// The native child controls the user types into or picks from, mirrored from the control model:
// the text tool's box TextBox, the font-size box FontSizeField, the font-size list FontSizeList
// (whose face is never seen, only its drop-down list) and the tooltips of the toolbar buttons.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "form/controls.h"
#include "shell/handles.h"

namespace capture::win32 {

class NativeControls {
 public:
  // Remembers the capture window. The controls themselves are made, as its hidden children, the
  // first time the model needs one on screen (the toolbar strip with its tooltips, the text box,
  // the font-size group): start-up shows none of them and so does not pay for them, nor for
  // loading the common controls.
  void Create(HWND parent, HINSTANCE instance);
  // Moves, shows, hides, refonts and retexts the native controls to match the model, making them
  // first when it needs them.
  void Mirror(const Controls& model);

  // The native window of TextBox, FontSizeField or FontSizeList; null for any other control. Not
  // owned: the capture window destroys its children.
  HWND Handle(ControlId id) const;
  // The model control a native child stands for; ControlId::Window when none.
  ControlId IdOf(HWND child) const;
  // True while a text the form set is being put into a native control (its change notification
  // is then not a change by the user).
  bool Mirroring() const { return mirroring_; }
  // The text colour the model gives the edit control, for WM_CTLCOLOREDIT.
  Colour TextColour(HWND edit) const;
  // The native control's current text.
  static std::u16string TextOf(HWND control);

 private:
  struct Mirrored {
    HWND hwnd = nullptr;  // not owned
    RectI rect;
    bool shown = false;
    float font_points = 0;
    int font_dpi = 0;
    int line_height = 0;
    Font font;
  };
  // Makes the children; false when one could not be made (there are then none).
  bool MakeChildren(const Controls& model);
  // Gives the control a font of the size at the DPI unless it has it; true when it changed.
  static bool Refont(Mirrored& control, float points, int dpi);
  void MirrorEdit(Mirrored& edit, const Control& c, const Controls& model);
  void MirrorCombo(const Controls& model);
  void MirrorTooltips(const Controls& model);

  HWND parent_ = nullptr;  // not owned
  HINSTANCE instance_ = nullptr;
  bool made_ = false;
  Mirrored text_edit_, text1_, combo1_;
  std::u16string combo_caption_;
  HWND tooltip_ = nullptr;  // not owned: destroyed with its owner, the capture window
  Font tooltip_font_;
  int tooltip_dpi_ = 0;
  // What each control with a tooltip (the toolbar's buttons, then the style panel's choices) has
  // told the tooltip control: where it is and its text.
  struct Tip {
    ControlId id;
    RectI rect;
    std::u16string text;
  };
  std::vector<Tip> tips_;
  Colour text_edit_colour_ = 0, text1_colour_ = 0;
  bool mirroring_ = false;
};

}  // namespace capture::win32
