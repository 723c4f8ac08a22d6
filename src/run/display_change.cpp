#include "run/display_change.h"

#include "annotate/toolbar.h"
#include "form/capture_form.h"
#include "selection/placement.h"
#include "selection/readout.h"

namespace capture {

void FollowDisplayChange(CaptureForm& form) {
  form.monitors = form.platform.screen.Monitors();
  form.ScaleChromeToSelection();
  if (form[ControlId::LblPos].visible) PlaceLabels(form);
  if (form[Image1(0)].visible) ImageMove(form);
  if (form[ControlId::Picture1].visible) PlaceToolbar(form);
  if (form[ControlId::Picture2].visible) PlacePanel(form);
}

}  // namespace capture
