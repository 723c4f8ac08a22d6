#include "run/copy_selection.h"

#include <array>
#include <cstddef>
#include <optional>

#include "annotate/text_tool.h"
#include "form/capture_form.h"
#include "output/save_as.h"
#include "output/save_error.h"

namespace capture {
namespace {

// What a copy hides: first the toolbar strip, the style panel and the selection outline, then the
// size and colour labels and the eight handles.
constexpr std::size_t kToolbarAndOutline = 3;
constexpr std::array kHiddenByCopy{
    ControlId::Toolbar,           ControlId::StylePanel,      ControlId::Selection,
    ControlId::SizeLabel,         ControlId::ColourLabel,     HandleId(Handle::TopLeft),
    HandleId(Handle::Top),        HandleId(Handle::TopRight), HandleId(Handle::Left),
    HandleId(Handle::BottomLeft), HandleId(Handle::Bottom),   HandleId(Handle::BottomRight),
    HandleId(Handle::Right),
};

// Which of those were shown before the copy.
class ShownBeforeCopy {
 public:
  explicit ShownBeforeCopy(const CaptureForm& form) {
    for (std::size_t i = 0; i < kHiddenByCopy.size(); ++i) {
      shown_[i] = form[kHiddenByCopy[i]].visible;
    }
  }
  // The toolbar strip, the style panel and the outline: what shows while the save dialog is open.
  void ShowToolbarAndOutline(CaptureForm& form) const { Show(form, kToolbarAndOutline); }
  // Everything, for the run to go on as before the copy.
  void ShowAll(CaptureForm& form) const { Show(form, kHiddenByCopy.size()); }

 private:
  void Show(CaptureForm& form, std::size_t count) const {
    for (std::size_t i = 0; i < count; ++i) form[kHiddenByCopy[i]].visible = shown_[i];
  }

  std::array<bool, kHiddenByCopy.size()> shown_{};
};

// Takes the selection, its edges taken to whole pixels, hides the toolbar strip and the style
// panel, pauses 10 ms and lets the window repaint, then hides the selection outline and copies
// what was taken; nothing when the window closed while it repainted.
std::optional<ScreenCopy> CopyOut(CaptureForm& form) {
  CommitOpenTextBox(form);
  // Read before the window repaints: input that was already queued (a click right after Enter)
  // must not decide what is copied.
  const RectI selection = form.SelectionRect();
  form[ControlId::Toolbar].visible = false;
  form[ControlId::StylePanel].visible = false;
  form.platform.window.Sleep(10);
  form.platform.window.PumpEvents();
  form[ControlId::Selection].visible = false;
  return form.CopyToClipboard(selection.left, selection.top, selection.right, selection.bottom);
}

// CopyOut, with the chrome put back when it fails (out of memory at a large screen): the run goes
// on as before the copy.
std::optional<ScreenCopy> CopyOutOrRestore(CaptureForm& form, const ShownBeforeCopy& chrome) {
  try {
    return CopyOut(form);
  } catch (...) {
    chrome.ShowAll(form);
    throw;
  }
}

}  // namespace

void DoubleClickOnWindow(CaptureForm& form, float x, float y) {
  if (!PtInRect(form.SelectionRect(), Round(x), Round(y))) return;
  CopyAndQuit(form);
}

void CopyAndQuit(CaptureForm& form) {
  const ShownBeforeCopy chrome(form);
  const RectI selection = form.SelectionRect();
  const std::optional<ScreenCopy> copy = CopyOutOrRestore(form, chrome);
  if (!copy) return;
  if (copy->on_clipboard) {
    form.aim.taken = selection;
    return form.CloseWindow();
  }
  chrome.ShowAll(form);
  ShowCopyError(form.platform.dialogs, ClipboardError());
}

void SaveAndQuit(CaptureForm& form) {
  const ShownBeforeCopy chrome(form);
  const RectI selection = form.SelectionRect();
  const std::optional<ScreenCopy> copy = CopyOutOrRestore(form, chrome);
  chrome.ShowToolbarAndOutline(form);
  if (!copy) return;
  // The save needs only the copy: a clipboard that refused it is reported, and the save goes on.
  if (!copy->on_clipboard) ShowCopyError(form.platform.dialogs, ClipboardError());
  // No file: close only while the clipboard still holds the copy. While the dialog was open, Ctrl+C
  // in its file-name box or another program may have replaced it, and then the window is the
  // picture's last place.
  if (SaveAs(form.platform, copy->picture) ||
      (copy->on_clipboard && form.platform.clipboard.StillOurs())) {
    form.aim.taken = selection;
    return form.CloseWindow();
  }
  chrome.ShowAll(form);
}

}  // namespace capture
