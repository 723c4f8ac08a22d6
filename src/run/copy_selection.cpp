#include "run/copy_selection.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

#include "annotate/text_tool.h"
#include "form/capture_form.h"
#include "output/quick_save.h"
#include "output/save_as.h"
#include "output/save_error.h"
#include "platform/pinboard.h"
#include "run/capture_run.h"
#include "run/run_error.h"

namespace capture {
namespace {

// A copy of a rectangle of the window's picture, and whether the clipboard took it.
struct ScreenCopy {
  Picture picture;
  bool on_clipboard = false;
};

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

// Hides the selection's chrome, lets the window repaint, and copies the rectangle of the window's
// own picture; nothing when Escape closed the window while it repainted. The copy comes from the
// window's picture, not from the screen: whatever happens to lie over the window (a tooltip, a
// notification) cannot leak into it.
std::optional<Picture> TakePicture(RunState& run, const RectI& rect) {
  CaptureForm& form = run.form;
  form.HideSelectionChrome();
  run.services.window.PumpEvents();
  if (form.Closed()) return std::nullopt;
  return run.services.surface.Copy(rect);
}

// The same copy, put on the clipboard too unless `to_clipboard` is false.
std::optional<ScreenCopy> CopyToClipboard(RunState& run, const RectI& rect, bool to_clipboard) {
  std::optional<Picture> picture = TakePicture(run, rect);
  if (!picture) return std::nullopt;
  ScreenCopy copy{std::move(*picture)};
  copy.on_clipboard = to_clipboard && run.services.clipboard.PutBitmap(copy.picture);
  return copy;
}

// Takes the selection, its edges taken to whole pixels, hides the toolbar strip and the style
// panel, pauses 10 ms and lets the window repaint, then hides the selection outline; the
// selection as it was taken.
RectI HideChromeAndTakeSelection(RunState& run) {
  CaptureForm& form = run.form;
  CommitOpenTextBox(form, run.annotate, run.services.surface);
  // Read before the window repaints: input that was already queued (a click right after Enter)
  // must not decide what is copied.
  const RectI selection = form.SelectionRect();
  form[ControlId::Toolbar].visible = false;
  form[ControlId::StylePanel].visible = false;
  run.services.window.Sleep(10);
  run.services.window.PumpEvents();
  form[ControlId::Selection].visible = false;
  return selection;
}

// The selection copied (to the clipboard too unless `to_clipboard` is false); nothing when the
// window closed while it repainted.
std::optional<ScreenCopy> CopyOut(RunState& run, bool to_clipboard) {
  return CopyToClipboard(run, HideChromeAndTakeSelection(run), to_clipboard);
}

// Runs the work (a copy, a pin), with the chrome put back when it fails (out of memory at a large
// screen): the run goes on as before.
template <typename Work>
auto RestoringChrome(RunState& run, const ShownBeforeCopy& chrome, Work&& work) {
  try {
    return work();
  } catch (...) {
    chrome.ShowAll(run.form);
    throw;
  }
}

std::optional<ScreenCopy> CopyOutOrRestore(RunState& run, const ShownBeforeCopy& chrome,
                                           bool to_clipboard = true) {
  return RestoringChrome(run, chrome, [&run, to_clipboard] { return CopyOut(run, to_clipboard); });
}

}  // namespace

void CopyAndQuit(RunState& run) {
  CaptureForm& form = run.form;
  const ShownBeforeCopy chrome(form);
  const RectI selection = form.SelectionRect();
  const std::optional<ScreenCopy> copy = CopyOutOrRestore(run, chrome);
  if (!copy) return;
  if (copy->on_clipboard) {
    run.selection.aim.taken = selection;
    return form.CloseWindow();
  }
  chrome.ShowAll(form);
  ShowCopyError(run.services.dialogs, ClipboardError());
}

void SaveAndQuit(RunState& run) {
  CaptureForm& form = run.form;
  const ShownBeforeCopy chrome(form);
  const RectI selection = form.SelectionRect();
  const std::optional<ScreenCopy> copy = CopyOutOrRestore(run, chrome);
  chrome.ShowToolbarAndOutline(form);
  if (!copy) return;
  // The save needs only the copy: a clipboard that refused it is reported, and the save goes on.
  if (!copy->on_clipboard) ShowCopyError(run.services.dialogs, ClipboardError());
  // No file: close only while the clipboard still holds the copy. While the dialog was open, Ctrl+C
  // in its file-name box or another program may have replaced it, and then the window is the
  // picture's last place.
  if (SaveAs(run.services, copy->picture) ||
      (copy->on_clipboard && run.services.clipboard.StillOurs())) {
    run.selection.aim.taken = selection;
    return form.CloseWindow();
  }
  chrome.ShowAll(form);
}

void QuickSaveAndQuit(RunState& run) {
  CaptureForm& form = run.form;
  const ShownBeforeCopy chrome(form);
  const RectI selection = form.SelectionRect();
  const bool copy_too = run.services.saving.Saving().copy_on_quick_save;
  const std::optional<ScreenCopy> copy = CopyOutOrRestore(run, chrome, copy_too);
  if (!copy) return;
  // The file is the picture's safe place: a clipboard that refused the copy is reported, and the
  // save goes on.
  if (copy_too && !copy->on_clipboard) ShowCopyError(run.services.dialogs, ClipboardError());
  if (QuickSaveTo(run.services, copy->picture)) {
    run.selection.aim.taken = selection;
    return form.CloseWindow();
  }
  chrome.ShowAll(form);
}

void PinAndQuit(RunState& run) {
  CaptureForm& form = run.form;
  Pinboard* pins = run.services.pinboard;
  if (!pins || form.SelectionRect().Empty()) return;
  const ShownBeforeCopy chrome(form);
  const std::optional<bool> pinned = RestoringChrome(run, chrome, [&]() -> std::optional<bool> {
    const RectI selection = HideChromeAndTakeSelection(run);
    std::optional<Picture> picture = TakePicture(run, selection);
    if (!picture) return std::nullopt;
    // The pin stands where the selection was, over the window, before the window goes: the
    // picture seems to stay where it is. Of a picture scrolled in a view, its top may be above the
    // window: the pin's top then stands at the window's.
    PointI at = form.view().ToWindow(PointI{selection.left, selection.top});
    if (form.view().Shown()) at.y = std::max(at.y, 0);
    return pins->Pin(std::move(*picture), at);
  });
  if (!pinned) return;
  if (*pinned) return form.CloseWindow();
  chrome.ShowAll(form);
  ShowRunError(run.services.dialogs, {run_error::kNoPinWindow, u"无法创建贴图窗口"});
}

}  // namespace capture
