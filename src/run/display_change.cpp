#include "run/display_change.h"

#include "annotate/toolbar.h"
#include "form/capture_form.h"
#include "selection/placement.h"
#include "selection/readout.h"

namespace capture {

void FollowDisplayChange(CaptureForm& form) {
  form.ReadMonitors();
  form.ScaleChromeToSelection();
  if (form[ControlId::SizeLabel].visible) PlaceLabels(form);
  if (form[HandleId(Handle::TopLeft)].visible) PlaceHandles(form);
  if (form[ControlId::Toolbar].visible) PlaceToolbar(form);
  if (form[ControlId::StylePanel].visible) PlacePanel(form);
}

}  // namespace capture
