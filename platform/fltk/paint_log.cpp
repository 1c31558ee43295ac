#include "platform/fltk/paint_log.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace platform::desktop {
namespace {

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

PaintLog::PaintLog() : enabled_(std::getenv("ORVANTA_PAINT_LOG") != nullptr) {}

void PaintLog::Paint(bool full, int label_boxes) {
  if (!enabled_) return;
  std::fprintf(stderr, "paint %s label-boxes=%d\n", full ? "full" : "part", label_boxes);
}

void PaintLog::Flushed(bool was_full) {
  if (!enabled_ || first_logged_ || !was_full) return;
  first_logged_ = true;
  std::fprintf(stderr, "first-paint %lld\n", MonotonicNanoseconds());
}

void PaintLog::TimerChanged(int interval_ms, bool running) {
  if (!enabled_) return;
  std::fprintf(stderr, "timer-%s %d %lld\n", running ? "start" : "stop", interval_ms,
               MonotonicNanoseconds());
}

}  // namespace platform::desktop
