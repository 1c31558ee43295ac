// An interval timer. The model only holds the interval and whether it runs; the view (or a
// test) delivers the ticks. Starting a running timer is allowed and changes nothing.
#pragma once

#include <functional>

namespace platform {

class FormObserver;

class Timer {
 public:
  Timer(int interval_ms, bool running, std::function<void()> on_tick);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int Interval() const { return interval_ms_; }
  bool Running() const { return running_; }
  void Start();
  void Stop();

  // Runs the tick handler. Ticks of a stopped timer are dropped, so a tick that was already
  // waiting when the timer stopped does nothing.
  void Tick();

  void SetObserver(FormObserver* observer) { observer_ = observer; }

 private:
  void SetRunning(bool running);

  int interval_ms_;
  bool running_;
  std::function<void()> on_tick_;
  FormObserver* observer_ = nullptr;
};

}  // namespace platform
