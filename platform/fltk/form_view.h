// Mirrors a form on the desktop: it shows the form's window, follows its moves and label
// changes, and runs its timers on the toolkit's clock.
#pragma once

#include <memory>
#include <vector>

#include "platform/fltk/sign_window.h"
#include "platform/forms/form.h"

namespace platform::desktop {

class FormView final : public FormObserver {
 public:
  // Attaches to `form`, its labels and its timers; timers that already run start ticking.
  FormView(Form& form, const DisplayScale& scale, FontFaces& faces, TextPainter& painter,
           PaintLog& paint_log);
  ~FormView() override;
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  void FormShown(Form& form) override;
  void FormMoved(Form& form) override;
  void LabelChanged(Label& label, float old_top) override;
  void TimerChanged(Timer& timer) override;

  SignWindow& Window() { return window_; }

 private:
  // One per timer: at most one tick of it waits in the toolkit at any time.
  struct TimerSlot {
    FormView* view = nullptr;
    Timer* timer = nullptr;
    bool waiting = false;
  };

  static void OnTimeout(void* slot);
  TimerSlot* SlotOf(const Timer& timer);

  Form& form_;
  PaintLog& paint_log_;
  SignWindow window_;
  std::vector<std::unique_ptr<TimerSlot>> timers_;
};

}  // namespace platform::desktop
