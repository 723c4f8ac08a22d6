#include "annotate/style_panel.h"

#include "capture/capture_form.h"

namespace capture {

// TODO(annotation): the style panel's reactions arrive with the annotation tools.
void Pcolor_MouseMove(CaptureForm&, int) {}
void Pcolor_MouseUp(CaptureForm&, int) {}
void PicColor_MouseMove(CaptureForm&) {}
void PicFont_MouseMove(CaptureForm&) {}
void PicCombox_MouseMove(CaptureForm&) {}
void PicCombox_MouseDown(CaptureForm&) {}
void Picture2_MouseMove(CaptureForm&) {}
void Combo1_Click(CaptureForm&) {}
void OpenCombo(CaptureForm&, ControlId) {}

}  // namespace capture
