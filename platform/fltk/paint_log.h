// An optional log of the window's paints on stderr, for benchmarks and view tests. It is on
// when the environment variable ORVANTA_PAINT_LOG is set. Lines:
//   first-paint <ns>                    the first complete paint reached the display; <ns> is
//                                       the CLOCK_MONOTONIC time in nanoseconds
//   paint full label-boxes=<n>          a paint of the whole window, <n> label boxes drawn
//   paint part label-boxes=<n>          a paint of damaged areas only
//   timer-start <interval ms> <ns>      a timer was started
//   timer-stop <interval ms> <ns>       a timer was stopped
#pragma once

namespace platform::desktop {

class PaintLog {
 public:
  PaintLog();

  bool Enabled() const { return enabled_; }
  void Paint(bool full, int label_boxes);
  // Call after each flush of the window; logs the first complete paint once.
  void Flushed(bool was_full);
  void TimerChanged(int interval_ms, bool running);

 private:
  bool enabled_ = false;
  bool first_logged_ = false;
};

}  // namespace platform::desktop
