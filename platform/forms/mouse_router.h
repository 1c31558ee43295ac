// Delivery of mouse events to a form, independent of any display. Each label takes the events
// over its own box and has no handlers, so those events are lost. A press captures the mouse for
// whoever took it, up to and including the release of the last held button. A double-click comes
// in place of the second press.
#pragma once

namespace platform {

class Form;

enum class MouseAction { kPress, kMove, kRelease, kDoubleClick };

class MouseRouter {
 public:
  explicit MouseRouter(Form& form) : form_(form) {}

  // button: for a press, release or double-click the button concerned; for a move the buttons
  // held. x and y are twips relative to the form's top-left corner.
  void Deliver(MouseAction action, int button, int shift, float x, float y);

 private:
  enum class Capture { kNone, kForm, kLabel };

  bool OverLabel(float x, float y) const;

  Form& form_;
  Capture capture_ = Capture::kNone;
  int held_buttons_ = 0;
};

}  // namespace platform
