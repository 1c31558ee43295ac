#include "platform/fltk/form_view.h"

#include <FL/Fl.H>

#include "platform/app/app.h"

namespace platform::desktop {
namespace {

bool Ticks(const Timer& timer) { return timer.Running() && timer.Interval() > 0; }

double Seconds(const Timer& timer) { return timer.Interval() / 1000.0; }

}  // namespace

FormView::FormView(Form& form, const DisplayScale& scale, FontFaces& faces, TextPainter& painter,
                   PaintLog& paint_log)
    : form_(form), paint_log_(paint_log), window_(form, scale, faces, painter, paint_log) {
  for (Timer* timer : form.Timers()) {
    timers_.push_back(std::make_unique<TimerSlot>(TimerSlot{this, timer, false}));
  }
  form.SetObserver(this);
  for (Label* label : form.Labels()) label->SetObserver(this);
  for (Timer* timer : form.Timers()) {
    timer->SetObserver(this);
    TimerChanged(*timer);
  }
}

FormView::~FormView() {
  for (const auto& slot : timers_) {
    Fl::remove_timeout(OnTimeout, slot.get());
    slot->timer->SetObserver(nullptr);
  }
  for (Label* label : form_.Labels()) label->SetObserver(nullptr);
  form_.SetObserver(nullptr);
}

void FormView::FormShown(Form&) { window_.ShowForm(); }

void FormView::FormMoved(Form&) { window_.FollowForm(); }

void FormView::LabelChanged(Label& label, float old_top) {
  window_.DamageLabel(label, old_top);
  window_.DamageLabel(label, label.Top());
}

FormView::TimerSlot* FormView::SlotOf(const Timer& timer) {
  for (const auto& slot : timers_) {
    if (slot->timer == &timer) return slot.get();
  }
  return nullptr;
}

void FormView::TimerChanged(Timer& timer) {
  TimerSlot* slot = SlotOf(timer);
  if (slot == nullptr) return;
  paint_log_.TimerChanged(timer.Interval(), timer.Running());
  if (Ticks(timer)) {
    // Starting a timer that runs already leaves its waiting tick as it is.
    if (!slot->waiting) {
      Fl::add_timeout(Seconds(timer), OnTimeout, slot);
      slot->waiting = true;
    }
  } else if (slot->waiting) {
    Fl::remove_timeout(OnTimeout, slot);
    slot->waiting = false;
  }
}

void FormView::OnTimeout(void* data) {
  auto* slot = static_cast<TimerSlot*>(data);
  slot->waiting = false;
  Timer& timer = *slot->timer;
  if (!Ticks(timer)) return;
  // The next tick is due one interval after this one was due, not after the handler ends, so
  // a 20 ms timer keeps its pace. Should the handler stop the timer, that tick is removed again.
  Fl::repeat_timeout(Seconds(timer), OnTimeout, slot);
  slot->waiting = true;
  RunHandler(slot->view->form_.Caption(), [&timer] { timer.Tick(); });
}

}  // namespace platform::desktop
