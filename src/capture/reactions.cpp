// Which reaction each control has for each pointer event. Controls not named here have none.
#include "annotate/style_panel.h"
#include "annotate/toolbar.h"
#include "capture/capture_form.h"
#include "capture/event_router.h"
#include "capture/finish.h"
#include "selection/handle_resize.h"
#include "selection/selection_drag.h"

namespace capture {

void React(CaptureForm& form, ControlId target, PointerEvent event, int button, int shift,
           PointF p) {
  using E = PointerEvent;
  const GroupMember member = GroupOf(target);
  const int i = member.index;
  switch (member.group) {
    case ControlId::Window:
      switch (event) {
        case E::Down:
          return Form_MouseDown(form, button, shift, p.x, p.y);
        case E::Move:
          return Form_MouseMove(form, button, shift, p.x, p.y);
        case E::Up:
          return Form_MouseUp(form, button, shift, p.x, p.y);
        case E::DoubleClick:
          return Form_DblClick(form, p.x, p.y);
        case E::Click:
          return;
      }
      return;
    case ControlId::Image1_0:
      if (event == E::Down) return Image1_MouseDown(form, i);
      if (event == E::Move) return Image1_MouseMove(form, i);
      if (event == E::Up) return Image1_MouseUp(form, i);
      return;
    case ControlId::Image2_0:
      if (event == E::Click) return Image2_Click(form, i);
      if (event == E::Move) return Image2_MouseMove(form, i);
      return;
    case ControlId::Picture1:
      if (event == E::Move) return Picture1_MouseMove(form);
      return;
    case ControlId::Picture2:
      if (event == E::Move) return Picture2_MouseMove(form);
      return;
    case ControlId::Pcolor_0:
      if (event == E::Move) return Pcolor_MouseMove(form, i);
      if (event == E::Up) return Pcolor_MouseUp(form, i);
      return;
    case ControlId::PicColor:
      if (event == E::Move) return PicColor_MouseMove(form);
      return;
    case ControlId::PicFont:
      if (event == E::Move) return PicFont_MouseMove(form);
      return;
    case ControlId::PicCombox:
      if (event == E::Move) return PicCombox_MouseMove(form);
      if (event == E::Down) return PicCombox_MouseDown(form);
      return;
    default:
      return;
  }
}

}  // namespace capture
