#include "platform/forms/mouse_router.h"

#include "platform/forms/form.h"

namespace platform {

bool MouseRouter::OverLabel(float x, float y) const {
  for (const Label* label : form_.Labels()) {
    if (label->Contains(x, y)) return true;
  }
  return false;
}

void MouseRouter::Deliver(MouseAction action, int button, int shift, float x, float y) {
  const bool pressing = action == MouseAction::kPress || action == MouseAction::kDoubleClick;
  if (pressing && capture_ == Capture::kNone) {
    capture_ = OverLabel(x, y) ? Capture::kLabel : Capture::kForm;
  }
  const bool to_form =
      capture_ == Capture::kForm || (capture_ == Capture::kNone && !OverLabel(x, y));

  if (pressing) held_buttons_ |= button;
  if (action == MouseAction::kRelease) {
    held_buttons_ &= ~button;
    if (held_buttons_ == 0) capture_ = Capture::kNone;
  }
  if (!to_form) return;

  switch (action) {
    case MouseAction::kPress:
      form_.Form_MouseDown(button, shift, x, y);
      break;
    case MouseAction::kDoubleClick:
      form_.Form_DblClick();
      break;
    case MouseAction::kMove:
      form_.Form_MouseMove(button, shift, x, y);
      break;
    case MouseAction::kRelease:
      form_.Form_MouseUp(button, shift, x, y);
      break;
  }
}

}  // namespace platform
