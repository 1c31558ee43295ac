#include "platform/forms/timer.h"

#include <utility>

#include "platform/forms/form.h"

namespace platform {

Timer::Timer(int interval_ms, bool running, std::function<void()> on_tick)
    : interval_ms_(interval_ms), running_(running), on_tick_(std::move(on_tick)) {}

void Timer::Start() { SetRunning(true); }

void Timer::Stop() { SetRunning(false); }

void Timer::SetRunning(bool running) {
  if (running_ == running) return;
  running_ = running;
  if (observer_ != nullptr) observer_->TimerChanged(*this);
}

void Timer::Tick() {
  if (running_ && on_tick_) on_tick_();
}

}  // namespace platform
